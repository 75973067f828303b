#include "platform/FolderWatch.h"

#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk::platform {

namespace {

WatchRefusal refusalOf(int error) {
    switch (error) {
    case ENOENT:
        return WatchRefusal::missing;
    case ENOTDIR:
        return WatchRefusal::notFolder;
    case EACCES:
    case EPERM:
        return WatchRefusal::noAccess;
    case ENOSPC: // max_user_watches
    case EMFILE: // max_user_instances
    case ENFILE:
    case ENOMEM:
        return WatchRefusal::limit;
    default:
        return WatchRefusal::other;
    }
}

} // namespace

std::optional<WatchRefusal> watchRefusal(const std::filesystem::path& folder) {
    const int instance = inotify_init1(IN_CLOEXEC);
    if (instance < 0) {
        return refusalOf(errno);
    }
    std::optional<WatchRefusal> refusal;
    if (inotify_add_watch(instance, folder.c_str(), IN_ONLYDIR | IN_CREATE) < 0) {
        refusal = refusalOf(errno);
    }
    close(instance); // also drops the watch
    return refusal;
}

std::optional<FolderIdentity> folderIdentity(const std::filesystem::path& folder) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev),
                          static_cast<std::uint64_t>(info.st_ino)};
}

} // namespace vesk::platform
