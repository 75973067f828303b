#pragma once

#include "core/targets/Targets.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The names of the files in the folders to file into, back to back in one text: per target its
// sibling names, then the other names of its subtree (TargetFinder::TargetsWithNames). The
// matcher and the name index read the same names, and in a large home they are the largest part
// of what both keep, so they share one copy.
class FolderNames {
public:
    // `moreNames`: per target, or empty.
    explicit FolderNames(const std::vector<Target>& targets,
                         std::vector<std::vector<std::string>> moreNames = {});

    [[nodiscard]] std::uint32_t size() const { return static_cast<std::uint32_t>(ends_.size()); }
    [[nodiscard]] std::string_view name(std::uint32_t id) const;
    // The target whose subtree holds the name.
    [[nodiscard]] std::uint32_t target(std::uint32_t id) const { return targets_[id]; }
    // The target's `n`th sibling name.
    [[nodiscard]] std::string_view siblingName(std::size_t target, std::size_t n) const;
    // Every name's characters together.
    [[nodiscard]] std::size_t characters() const { return text_.size(); }

private:
    std::string text_;
    std::vector<std::uint32_t> ends_;    // per name, where it ends in text_
    std::vector<std::uint32_t> targets_; // per name
    std::vector<std::uint32_t> firsts_;  // per target, its first name
};

} // namespace vesk
