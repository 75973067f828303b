#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The names of what some folders hold: one listing per folder and no call per entry, and
// enough to tell whether anything arrived, left or was renamed. Hidden entries (a browser's
// temporary files, an unfinished copy) are left out, as a scan leaves them out.
class FolderSnapshot {
public:
    [[nodiscard]] static FolderSnapshot of(const std::vector<std::filesystem::path>& folders);

    // As it would be once these entries have gone.
    void remove(const std::vector<std::filesystem::path>& entries);

    bool operator==(const FolderSnapshot&) const = default;

private:
    // Per folder, its names sorted; nothing for one that could not be listed, which never equals
    // a listing.
    std::map<std::filesystem::path, std::optional<std::vector<std::string>>> folders_;
};

} // namespace vesk
