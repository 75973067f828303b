#pragma once

#include "platform/OpenFolder.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace vesk::platform {

// One folder on the way down, as found: the folder itself, and the symbolic link that led to it
// when there was one.
struct FolderStep {
    struct Link {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::chrono::system_clock::time_point changed; // when the link was made or last changed
    };
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::optional<Link> link;
};

// Says whether the walk may go on through the folder found at `depth` (0: "/", 1: its first
// component, …).
using StepCheck = std::function<bool(std::size_t depth, const FolderStep& found)>;

// Opens `folder` (an absolute path) by walking down from "/" one folder at a time, each one
// shown to `check` first: a refusal ends the walk with `refused` set. A folder that does not
// exist is made when `made` is given (and added to it), so that no link can be slipped in
// after the check; otherwise the walk fails with ENOENT.
[[nodiscard]] std::optional<OpenFolder> walkDown(const std::filesystem::path& folder,
                                                 const StepCheck& check,
                                                 std::vector<std::filesystem::path>* made,
                                                 bool& refused, std::error_code& ec);

} // namespace vesk::platform
