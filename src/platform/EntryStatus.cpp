#include "platform/EntryStatus.h"

#include <QString>

#include <array>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>

namespace vesk::platform {

namespace {

using TimePoint = std::chrono::system_clock::time_point;

constexpr std::array packageExtensions = {
    "app",     "bundle", "framework",     "plugin",    "kext",        "rtfd",       "pages",
    "numbers", "key",    "photoslibrary", "xcodeproj", "xcworkspace", "playground",
};

TimePoint toTimePoint(const struct statx_timestamp& stamp) {
    return TimePoint(std::chrono::duration_cast<TimePoint::duration>(
        std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec)));
}

std::optional<std::string::size_type> extensionDot(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) {
        return std::nullopt;
    }
    return dot;
}

} // namespace

bool isPackageName(std::string_view name) {
    const std::string_view ext = pathExtension(name);
    // Unicode lower-casing, so that e.g. a Kelvin sign reads as "k" as it would for the kind.
    const QString lower =
        QString::fromUtf8(ext.data(), static_cast<qsizetype>(ext.size())).toLower();
    for (const char* candidate : packageExtensions) {
        if (lower == QLatin1String(candidate)) {
            return true;
        }
    }
    return false;
}

std::optional<EntryStatus> entryStatus(const std::filesystem::path& path, Links links) {
    return entryStatusAt(AT_FDCWD, path.c_str(), links);
}

std::optional<EntryStatus> entryStatusAt(int folder, const char* name, Links links) {
    struct statx info {};
    const unsigned mask =
        STATX_TYPE | STATX_SIZE | STATX_CTIME | STATX_BTIME | STATX_MTIME | STATX_INO;
    const int flags = links == Links::followed ? 0 : AT_SYMLINK_NOFOLLOW;
    if (statx(folder, name, flags, mask, &info) != 0 || (info.stx_mask & STATX_TYPE) == 0) {
        return std::nullopt;
    }
    EntryStatus status;
    status.isDirectory = S_ISDIR(info.stx_mode);
    status.isPackage =
        status.isDirectory && isPackageName(std::filesystem::path(name).filename().native());
    if (!status.isDirectory && (info.stx_mask & STATX_SIZE) != 0) {
        status.size = static_cast<std::int64_t>(info.stx_size);
    }
    if ((info.stx_mask & STATX_CTIME) != 0) {
        status.changed = toTimePoint(info.stx_ctime);
    }
    if ((info.stx_mask & STATX_BTIME) != 0) {
        status.born = toTimePoint(info.stx_btime);
    }
    if ((info.stx_mask & STATX_MTIME) != 0) {
        status.modified = toTimePoint(info.stx_mtime);
    }
    status.device = makedev(info.stx_dev_major, info.stx_dev_minor);
    status.inode = info.stx_ino;
    return status;
}

std::string_view pathExtension(std::string_view name) {
    const auto dot = extensionDot(name);
    return dot ? name.substr(*dot + 1) : std::string_view();
}

std::string_view deletingPathExtension(std::string_view name) {
    const auto dot = extensionDot(name);
    return dot ? name.substr(0, *dot) : name;
}

std::optional<std::string> extendedAttribute(const std::filesystem::path& path,
                                             const std::string& name) {
    const ssize_t size = getxattr(path.c_str(), name.c_str(), nullptr, 0);
    if (size < 1) {
        return std::nullopt;
    }
    std::string value(static_cast<std::size_t>(size), '\0');
    if (getxattr(path.c_str(), name.c_str(), value.data(), value.size()) != size) {
        return std::nullopt;
    }
    return value;
}

} // namespace vesk::platform
