#pragma once

#include "core/util/Dates.h"
#include "platform/EntryStatus.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace vesk {

// What tells that an entry changed since it was read: which entry it is, its size and its
// times. A change also sets the change time, so an equal stamp taken later means the entry is as
// it was read - unless its last change came so close before the reading that a second one could
// have carried the same time: such an entry is read again rather than trusted.
struct EntryStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::optional<Date> modified;
    std::optional<Date> changed;

    // Nothing when the entry is gone or cannot be examined.
    [[nodiscard]] static std::optional<EntryStamp>
    of(const std::filesystem::path& path, platform::Links links = platform::Links::notFollowed);
    [[nodiscard]] static EntryStamp of(const platform::EntryStatus& status);

    // Whether the entry's last change lies more than `margin` before `readFrom`, the moment a
    // reading of it began, so that any later change carries a later time. Clocks of file
    // systems run coarse (a tick of the kernel, seconds on some volumes), hence the margin.
    [[nodiscard]] bool settledBefore(Date readFrom, Clock::duration margin) const;

    bool operator==(const EntryStamp&) const = default;
};

} // namespace vesk
