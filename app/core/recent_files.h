#pragma once
// The list of the ten projects opened last, most recent first, as the File
// menu shows it and the settings store keeps it ("File1" .. "File10").
#include <array>
#include <functional>
#include <optional>
#include <string>

namespace korva::app {

class TRecentFiles {
public:
    static constexpr int kCapacity = 10;

    // The settings value of entry i (0-based): "File1" .. "File10".
    static std::string SettingName(int index);

    // Entries read from the settings store (nothing for a missing value);
    // empty values are dropped, so the list has no gaps.
    void Load(const std::function<std::optional<std::string>(const std::string& name)>& read);
    // Every entry, the empty ones as empty values; false when a write failed.
    bool Save(const std::function<bool(const std::string& name, const std::string& value)>& write) const;

    // Puts path on top: an entry already in the list moves up, a new one
    // pushes the others down and the oldest out. False, and nothing changed,
    // when path is on top already (exact, case-sensitive comparison).
    bool UpdatePrevFile(const std::string& path);

    // The number of non-empty entries (RecentFileCount).
    int Count() const;
    const std::string& operator[](int index) const { return files_[static_cast<std::size_t>(index)]; }
    void Clear() { files_ = {}; }

    // The File menu's text of entry index: its number, a blank and the path,
    // without the current folder when the path holds it.
    static std::string MenuCaption(int index, const std::string& path, const std::string& currentFolder);

private:
    std::array<std::string, kCapacity> files_{};
};

} // namespace korva::app
