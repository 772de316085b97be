#include "document_rules.h"

#include <filesystem>

#include "file_text.h"
#include "program_data.h"
#include "program_version.h"
#include "string_utils.h"

namespace korva::app {

namespace {

constexpr const char* kUpdateHost = "https://www.varnek.com";
constexpr const char* kReleaseDate = "7/5/15"; // month/day/two-digit year

std::string LowerExtension(const std::string& path)
{
    return components::LowerCase(ExtractFileExt(path));
}

} // namespace

std::string DisplayFileName(const std::string& path)
{
    std::string name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    if (LowerExtension(name) == ".kv7")
        name.erase(name.find('.'));
    if (name.size() > 1 && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

std::string MainCaption(const std::string& fileName)
{
    return "KORVA " + GetVersion() + " - Offshore - " + DisplayFileName(fileName);
}

std::optional<int> LayoutOfProjectName(const std::string& path)
{
    const std::string extension = LowerExtension(path);
    if (extension == ".kv7d")
        return pfvCurrent;
    if (extension == ".kv6d")
        return pfvPrevious;
    return std::nullopt;
}

std::optional<std::string> CommandLineProject(const std::string& argument)
{
    if (argument.empty())
        return std::nullopt;
    std::string path = argument;
    if (ExtractFileExt(path).empty() && path.back() != '/')
        path += ".kv7d";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) || !LayoutOfProjectName(path))
        return std::nullopt;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

bool NeedsSaveAs(const std::string& fileName)
{
    return fileName == kNewProjectFileName || LowerExtension(fileName) != ".kv7d";
}

std::string SaveAsFileName(const std::string& fileName)
{
    return LowerExtension(fileName) == ".kv7d" ? fileName : ChangeFileExt(fileName, ".kv7d");
}

std::string SaveAsTitle(const std::string& fileName)
{
    return "Save " + DisplayFileName(fileName) + " As";
}

std::string ProjectFolder(const std::string& fileName)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(fileName, ec);
    return (ec ? std::filesystem::path(fileName) : absolute).parent_path().string();
}

std::string UpdateQueryAddress()
{
    return std::string(kUpdateHost) + "/checkupdates/check/check.php?KORVAO;" + GetVersion() + ";" + kReleaseDate;
}

} // namespace korva::app
