#include "core/moves/EntryIdentity.h"

#include "platform/EntryStatus.h"

#include <chrono>

namespace vesk {

namespace {

// Times are kept to the microsecond.
constexpr auto sameTime = std::chrono::microseconds(1);

// To the microsecond, which the history keeps exactly.
Date stored(Date date) {
    return std::chrono::floor<std::chrono::microseconds>(date);
}

bool isSameTime(Date a, Date b) {
    return a - b <= sameTime && b - a <= sameTime;
}

} // namespace

std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
    const auto status = platform::entryStatus(path);
    if (!status) {
        return std::nullopt;
    }
    return FileIdentity{status->device, status->inode, status->size,
                        stored(status->modified.value_or(Date{})),
                        status->born ? std::optional(stored(*status->born)) : std::nullopt};
}

bool isSameInode(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode &&
           (!a.born || !b.born || isSameTime(*a.born, *b.born));
}

bool isSameEntry(const FileIdentity& recorded, const FileIdentity& now) {
    return isSameInode(recorded, now) ||
           (recorded.size == now.size && isSameTime(recorded.modified, now.modified));
}

bool isTaken(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::symlink_status(path, ec).type() !=
           std::filesystem::file_type::not_found;
}

} // namespace vesk
