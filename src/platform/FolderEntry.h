#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk::platform {

// One entry of a folder listing, the entry itself (symbolic links are not followed).
struct FolderEntry {
    enum class Type { folder, link, other };

    std::string name;
    Type type = Type::other; // `other` also when the type cannot be read

    bool operator==(const FolderEntry&) const = default;
};

// The entries of a folder in listing order, hidden ones included, "." and ".." not; nothing
// when the folder cannot be listed completely. Types come from the listing where the file
// system reports them, so most entries cost no call of their own.
[[nodiscard]] std::optional<std::vector<FolderEntry>>
folderEntries(const std::filesystem::path& folder);

} // namespace vesk::platform
