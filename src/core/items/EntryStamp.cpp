#include "core/items/EntryStamp.h"

namespace vesk {

std::optional<EntryStamp> EntryStamp::of(const std::filesystem::path& path,
                                         platform::Links links) {
    const auto status = platform::entryStatus(path, links);
    if (!status) {
        return std::nullopt;
    }
    return of(*status);
}

EntryStamp EntryStamp::of(const platform::EntryStatus& status) {
    return EntryStamp{status.device, status.inode, status.size, status.modified, status.changed};
}

bool EntryStamp::settledBefore(Date readFrom, Clock::duration margin) const {
    // Without a change time nothing proves the entry unchanged.
    return changed && *changed + margin < readFrom;
}

} // namespace vesk
