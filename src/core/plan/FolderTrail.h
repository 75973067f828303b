#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace vesk {

// The folders from "/" down to a destination as they were when the person reviewed it, each by
// device and inode, and a symbolic link on the way by its own device and inode. A move compares
// them with what it finds, so that a folder replaced since, or a link slipped in its place,
// never receives the file; a person's own link that was already there (Pictures on another
// drive) is part of the trail and keeps working.
struct FolderTrail {
    struct Step {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::optional<std::pair<std::uint64_t, std::uint64_t>> link; // device and inode

        bool operator==(const Step&) const = default;
    };
    // "/" first, then each folder that existed below it, in order. Folders still to be made
    // are not in it.
    std::vector<Step> steps;

    bool operator==(const FolderTrail&) const = default;
};

// The trail to `folder` (absolute) as it is now; nothing when not even "/" can be examined.
[[nodiscard]] std::optional<FolderTrail> takeTrail(const std::filesystem::path& folder);

} // namespace vesk
