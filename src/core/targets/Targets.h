#pragma once

#include "core/items/Kind.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vesk {

// A folder the person already has, offered as a destination.
struct Target {
    std::filesystem::path path;
    std::string label; // path relative to the home folder, "/" between components
    bool isProject = false;
    std::vector<std::string> siblingNames; // at most 200, empty for a project
    std::set<Kind> kinds;

    bool operator==(const Target&) const = default;
};

// A folder where discovery starts, and how many folder levels below it become targets.
struct Root {
    std::filesystem::path folder;
    int depth = 0;

    bool operator==(const Root&) const = default;
};

namespace TargetFinder {

// One folder the walk tried to list, roots included, with what it took from the listing as a
// digest: the folder gives the same digest again exactly when a walk would find the same in
// it. No digest when it could not be listed.
struct FolderListed {
    const std::filesystem::path& folder;
    bool asRoot = false; // of a root only its folders count
    std::optional<std::uint64_t> digest;
};
using FolderRead = std::function<void(const FolderListed&)>;

// The digest a walk would record for the folder now.
[[nodiscard]] std::optional<std::uint64_t> digestOf(const std::filesystem::path& folder,
                                                    bool asRoot);

// Targets under the given roots in depth-first pre-order; missing roots are skipped, and a
// folder under two roots comes once.
[[nodiscard]] std::vector<Target> find(const std::vector<Root>& roots,
                                       const std::filesystem::path& home,
                                       const FolderRead& folderRead = {});

// The targets as find() gives them, each with the names of the files in its whole subtree that
// no other target holds, beyond the sibling names it already has: the rest of its own files,
// then those of the folders below the walk's depth, nearest first; with the sibling names at
// most `namesPerTarget` (and as many folders read). Hidden entries, skipped folders and the
// insides of code projects are left out, as the walk leaves them.
struct TargetsWithNames {
    std::vector<Target> targets;
    std::vector<std::vector<std::string>> moreNames; // per target
};
[[nodiscard]] TargetsWithNames findWithNames(const std::vector<Root>& roots,
                                             const std::filesystem::path& home,
                                             std::size_t namesPerTarget,
                                             const FolderRead& folderRead = {});

} // namespace TargetFinder

} // namespace vesk
