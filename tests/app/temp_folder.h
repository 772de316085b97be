#pragma once
// A private temporary folder for file tests, removed with its content.
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdlib.h>
#include <string>

namespace korva::test {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "korva-app.XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream out(Path(name), std::ios::binary);
        out << text;
    }
    // Names of the folder's entries, sorted.
    std::string Listing() const
    {
        std::set<std::string> sorted;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            sorted.insert(entry.path().filename().string());
        std::string names;
        for (const std::string& name : sorted)
            names += name + " ";
        return names;
    }

private:
    std::string folder_;
};

} // namespace korva::test
