#include "recent_files.h"

#include <algorithm>

#include "number_format.h"

namespace korva::app {

std::string TRecentFiles::SettingName(int index)
{
    return "File" + components::FormatInteger(index + 1);
}

void TRecentFiles::Load(const std::function<std::optional<std::string>(const std::string& name)>& read)
{
    Clear();
    std::size_t next = 0;
    for (int i = 0; i < kCapacity; ++i)
        if (std::optional<std::string> value = read(SettingName(i)); value && !value->empty())
            files_[next++] = std::move(*value);
}

bool TRecentFiles::Save(const std::function<bool(const std::string& name, const std::string& value)>& write) const
{
    bool all = true;
    for (int i = 0; i < kCapacity; ++i)
        all = write(SettingName(i), files_[static_cast<std::size_t>(i)]) && all;
    return all;
}

bool TRecentFiles::UpdatePrevFile(const std::string& path)
{
    if (path.empty() || files_[0] == path)
        return false;
    // An entry already in the list moves to the top; else the last one goes.
    auto found = std::find(files_.begin() + 1, files_.end(), path);
    if (found == files_.end())
        found = files_.end() - 1;
    std::move_backward(files_.begin(), found, found + 1);
    files_[0] = path;
    return true;
}

int TRecentFiles::Count() const
{
    return static_cast<int>(std::count_if(files_.begin(), files_.end(), [](const std::string& f) { return !f.empty(); }));
}

std::string TRecentFiles::MenuCaption(int index, const std::string& path, const std::string& currentFolder)
{
    std::string shown = path;
    if (!currentFolder.empty()) {
        const std::string prefix = currentFolder.back() == '/' ? currentFolder : currentFolder + "/";
        if (const std::size_t at = path.find(prefix); at != std::string::npos)
            shown = path.substr(at + prefix.size());
    }
    return components::FormatInteger(index + 1) + " " + shown;
}

} // namespace korva::app
