#include "core/targets/FolderStamps.h"

namespace vesk {

namespace {

// A root named by a link is read through it, so its stamp must be the folder's.
std::optional<EntryStamp> stampOf(const std::filesystem::path& folder) {
    return EntryStamp::of(folder, platform::Links::followed);
}

} // namespace

void FolderStamps::walkStarting() {
    folders_.clear();
    walkStart_ = Clock::now();
}

void FolderStamps::record(const TargetFinder::FolderListed& listed) {
    // Taken after the listing: a change in between is later than the walk's start, so the stamp
    // does not count as settled and the next look lists the folder again.
    auto stamp = stampOf(listed.folder);
    const bool isSettled = stamp && stamp->settledBefore(walkStart_, margin_);
    folders_.push_back({listed.folder, listed.asRoot, std::move(stamp), listed.digest, isSettled});
}

bool FolderStamps::unchanged() {
    const Date lookStart = Clock::now();
    for (Folder& folder : folders_) {
        auto stamp = stampOf(folder.path);
        if (folder.settled && stamp == folder.stamp) {
            continue;
        }
        // Stamped before listing: a change in between shows as a new stamp next time.
        if (TargetFinder::digestOf(folder.path, folder.asRoot) != folder.digest) {
            return false;
        }
        folder.settled = stamp && stamp->settledBefore(lookStart, margin_);
        folder.stamp = std::move(stamp);
    }
    return true;
}

} // namespace vesk
