#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace vesk::platform {

// Why the system will not tell about changes in a folder.
enum class WatchRefusal {
    missing,   // nothing at the path
    notFolder, // something other than a folder
    noAccess,  // not readable by this user
    limit,     // the user's limit of watches or watch instances is reached
    other,
};

// Asks the kernel's change notification for this folder on an instance of its own, which is
// closed again; nothing when the folder can be watched.
[[nodiscard]] std::optional<WatchRefusal> watchRefusal(const std::filesystem::path& folder);

// Which folder a path names now, links followed. A watch stays with the folder it was set on,
// also when that folder is moved away and another one takes its place.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FolderIdentity&) const = default;
};

// Nothing when there is no folder at the path.
[[nodiscard]] std::optional<FolderIdentity> folderIdentity(const std::filesystem::path& folder);

} // namespace vesk::platform
