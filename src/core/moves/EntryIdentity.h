#pragma once

#include "core/moves/Batch.h"

#include <filesystem>
#include <optional>

namespace vesk {

// The entry at `path` as it is now, links not followed; nothing when there is none.
[[nodiscard]] std::optional<FileIdentity> identityOf(const std::filesystem::path& path);

// The very same entry: device and inode, and the birth time where both know it (an inode
// number is soon reused).
[[nodiscard]] bool isSameInode(const FileIdentity& a, const FileIdentity& b);

// The same entry, or a copy of it with the same size and modification time (on a volume whose
// inode numbers change between mounts).
[[nodiscard]] bool isSameEntry(const FileIdentity& recorded, const FileIdentity& now);

// Any entry counts, a dangling symbolic link too: it occupies the name.
[[nodiscard]] bool isTaken(const std::filesystem::path& path);

} // namespace vesk
