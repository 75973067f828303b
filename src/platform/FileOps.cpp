#include "platform/FileOps.h"

#include "platform/FaultPoint.h"

#include <array>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace vesk::platform {

namespace {

namespace fs = std::filesystem;

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Best effort: a target file system without extended attributes (or without a namespace such
// as "security.") still gets the file itself.
void copyExtendedAttributes(int from, int to) {
    const ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize <= 0) {
        return;
    }
    std::string names(static_cast<std::size_t>(listSize), '\0');
    const ssize_t got = ::flistxattr(from, names.data(), names.size());
    if (got <= 0) {
        return;
    }
    names.resize(static_cast<std::size_t>(got));
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = names.find('\0', start);
        const std::string name = names.substr(start, end - start);
        start = end == std::string::npos ? names.size() : end + 1;
        const ssize_t valueSize = ::fgetxattr(from, name.c_str(), nullptr, 0);
        if (valueSize < 0) {
            continue;
        }
        std::string value(static_cast<std::size_t>(valueSize), '\0');
        const ssize_t read = ::fgetxattr(from, name.c_str(), value.data(), value.size());
        if (read >= 0) {
            (void)::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(read), 0);
        }
    }
}

// Owner (when allowed), then mode, so that set-id bits survive the change of owner.
void copyOwnerAndMode(int to, const struct stat& status) {
    // Only root may give a file away; anyone else keeps it, as mv does.
    [[maybe_unused]] const int ownerKept = ::fchown(to, status.st_uid, status.st_gid);
    (void)::fchmod(to, status.st_mode & 07777);
}

std::error_code writeAll(int to, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(to, bytes, size);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        bytes += put;
        size -= static_cast<std::size_t>(put);
    }
    return {};
}

// Reads and writes from wherever the descriptors stand.
std::error_code readAndWrite(int from, int to) {
    std::array<char, 128 * 1024> buffer{};
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) {
            return {};
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        if (const std::error_code ec = writeAll(to, buffer.data(), static_cast<std::size_t>(got))) {
            return ec;
        }
        faultPoint("copying");
    }
}

// In the kernel where it can (no trip through user space), in pieces, so that a test can stop
// a copy half-way; byte by byte through a buffer where the file systems do not allow that.
std::error_code copyBytes(int from, int to) {
    constexpr std::size_t piece = 4U << 20U;
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, piece, 0);
        if (copied == 0) {
            return {};
        }
        if (copied < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
                return readAndWrite(from, to);
            }
            return lastError();
        }
        faultPoint("copying");
    }
}

std::error_code copyAt(const fs::path& from, int toDir, const std::string& name, bool& created);

std::error_code copyFile(const fs::path& from, int toDir, const std::string& name,
                         const struct stat& status, bool& created) {
    // Should something other than a file have taken its place since, the open must neither wait
    // for a FIFO's writer nor copy what is not the file.
    const FileDescriptor in(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!in.valid()) {
        return lastError();
    }
    struct stat opened {};
    if (::fstat(in.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) {
        return std::make_error_code(std::errc::operation_not_supported);
    }
    // O_EXCL: whatever appeared at the name in the meantime is never written into.
    const FileDescriptor out(
        ::openat(toDir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.valid()) {
        return lastError();
    }
    created = true;
    if (const std::error_code ec = copyBytes(in.get(), out.get())) {
        return ec;
    }
    copyExtendedAttributes(in.get(), out.get());
    copyOwnerAndMode(out.get(), status);
    const std::array<timespec, 2> times{status.st_atim, status.st_mtim};
    (void)::futimens(out.get(), times.data());
    return {};
}

std::error_code copyDirectory(const fs::path& from, int toDir, const std::string& name,
                              const struct stat& status, bool& created) {
    if (::mkdirat(toDir, name.c_str(), 0700) != 0) {
        return lastError();
    }
    created = true;
    const FileDescriptor out(
        ::openat(toDir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!out.valid()) {
        return lastError();
    }
    std::error_code ec;
    for (fs::directory_iterator it(from, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        bool childCreated = false;
        if (const std::error_code childError =
                copyAt(it->path(), out.get(), it->path().filename().native(), childCreated)) {
            return childError;
        }
    }
    if (ec) {
        return ec;
    }
    const FileDescriptor in(::open(from.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (in.valid()) {
        copyExtendedAttributes(in.get(), out.get());
    }
    copyOwnerAndMode(out.get(), status);
    // Times last: adding the entries above changed them.
    const std::array<timespec, 2> times{status.st_atim, status.st_mtim};
    (void)::futimens(out.get(), times.data());
    return {};
}

std::error_code copySymlink(const fs::path& from, int toDir, const std::string& name,
                            const struct stat& status, bool& created) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(from, ec);
    if (ec) {
        return ec;
    }
    if (::symlinkat(target.c_str(), toDir, name.c_str()) != 0) {
        return lastError();
    }
    created = true;
    [[maybe_unused]] const int ownerKept =
        ::fchownat(toDir, name.c_str(), status.st_uid, status.st_gid, AT_SYMLINK_NOFOLLOW);
    const std::array<timespec, 2> times{status.st_atim, status.st_mtim};
    (void)::utimensat(toDir, name.c_str(), times.data(), AT_SYMLINK_NOFOLLOW);
    return {};
}

// Sockets and device nodes have no contents to carry over; a folder holding one is not moved.
std::error_code copyAt(const fs::path& from, int toDir, const std::string& name, bool& created) {
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0) {
        return lastError();
    }
    switch (status.st_mode & S_IFMT) {
    case S_IFREG:
        return copyFile(from, toDir, name, status, created);
    case S_IFDIR:
        return copyDirectory(from, toDir, name, status, created);
    case S_IFLNK:
        return copySymlink(from, toDir, name, status, created);
    case S_IFIFO:
        if (::mkfifoat(toDir, name.c_str(), status.st_mode & 07777) != 0) {
            return lastError();
        }
        created = true;
        return {};
    default:
        return std::make_error_code(std::errc::operation_not_supported);
    }
}

// Some file systems (NFS, many FUSE ones) do not know RENAME_NOREPLACE; there the check just
// before a plain rename is the best that can be done.
std::error_code renameNoReplace(int fromDir, const char* from, int toDir, const char* to) {
    if (::renameat2(fromDir, from, toDir, to, RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL) {
        return lastError();
    }
    struct stat taken {};
    if (::fstatat(toDir, to, &taken, AT_SYMLINK_NOFOLLOW) == 0) {
        return std::make_error_code(std::errc::file_exists);
    }
    if (::renameat(fromDir, from, toDir, to) == 0) {
        return {};
    }
    return lastError();
}

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

bool isRealFolder(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() == fs::file_type::directory;
}

std::error_code checkWritableFolder(const fs::path& dir) {
    if (::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return lastError();
    }
    return {};
}

// Whether the source could be removed once copied: a read-only volume or folder is found out
// before anything is copied, instead of after, with a complete copy left over.
std::error_code checkRemovable(const fs::path& from, bool isFolder) {
    if (const std::error_code ec = checkWritableFolder(folderOf(from)); ec || !isFolder) {
        return ec;
    }
    if (const std::error_code ec = checkWritableFolder(from)) {
        return ec;
    }
    std::error_code ec;
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (isRealFolder(it->path())) {
            if (const std::error_code folderError = checkWritableFolder(it->path())) {
                return folderError;
            }
        }
    }
    return ec;
}

// A copy keeps the source's permissions, so a read-only folder inside it is opened up before
// its entries go; otherwise half of it would stay behind.
void removeAt(int dir, const char* name) {
    struct stat status {};
    if (::fstatat(dir, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return;
    }
    if (!S_ISDIR(status.st_mode)) {
        (void)::unlinkat(dir, name, 0);
        return;
    }
    // When it can't be opened up, opening it below fails too and what is inside stays.
    [[maybe_unused]] const int openedUp =
        ::fchmodat(dir, name, (status.st_mode & 07777) | S_IRWXU, 0);
    const int inside = ::openat(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (DIR* entries = inside < 0 ? nullptr : ::fdopendir(inside)) {
        while (const dirent* entry = ::readdir(entries)) {
            const std::string_view child = entry->d_name;
            if (child != "." && child != "..") {
                removeAt(inside, entry->d_name);
            }
        }
        ::closedir(entries);
    } else if (inside >= 0) {
        ::close(inside);
    }
    (void)::unlinkat(dir, name, AT_REMOVEDIR);
}

bool isSameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::optional<SourceState> stateOf(const fs::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return SourceState{status.st_dev,  status.st_ino,  status.st_size,
                       status.st_mtim, status.st_ctim, S_ISDIR(status.st_mode)};
}

// Same inode, size, and modification and change times: nothing was written to it.
bool isUnchanged(const SourceState& before, const std::optional<SourceState>& now) {
    return now && now->device == before.device && now->inode == before.inode &&
           now->size == before.size && isSameTime(now->modified, before.modified) &&
           isSameTime(now->changed, before.changed);
}

// Syncs the file system of each copy once; what failed is said per device.
std::map<std::uint64_t, std::error_code> syncVolumes(const std::vector<PlacedCopy>& copies,
                                                     std::vector<std::uint64_t>& deviceOf) {
    std::map<std::uint64_t, std::error_code> synced;
    for (const PlacedCopy& placed : copies) {
        const FileDescriptor folder(
            ::open(folderOf(placed.copy).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat status {};
        if (!folder.valid() || ::fstat(folder.get(), &status) != 0) {
            deviceOf.push_back(0);
            synced.emplace(0, lastError());
            continue;
        }
        deviceOf.push_back(status.st_dev);
        if (!synced.contains(status.st_dev)) {
            synced.emplace(status.st_dev,
                           ::syncfs(folder.get()) == 0 ? std::error_code() : lastError());
        }
    }
    return synced;
}

// Checked to be removable, so a folder fails here only in a race. Part of it may be gone by
// then: the complete copy is the one whole version left, so it stays and the move counts.
SettledCopy removeSource(const PlacedCopy& placed) {
    if (placed.before.isFolder) {
        std::error_code ignored;
        fs::remove_all(placed.source, ignored);
        return {SettledCopy::Outcome::moved, {}};
    }
    if (::unlink(placed.source.c_str()) == 0) {
        return {SettledCopy::Outcome::moved, {}};
    }
    const std::error_code ec = lastError();
    // The source is still whole, so the copy goes and everything is as before.
    removeCopy(placed.copy);
    return {SettledCopy::Outcome::failed, ec};
}

} // namespace

std::error_code renameInto(const fs::path& from, const OpenFolder& into, const std::string& name) {
    return renameNoReplace(AT_FDCWD, from.c_str(), into.fd(), name.c_str());
}

std::string partialName() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char hex[] = "0123456789abcdef";
    std::string name = ".vesk-partial-";
    for (std::uint64_t bits = generator(), n = 0; n < 12; ++n, bits >>= 4U) {
        name += hex[bits & 0xFU];
    }
    return name;
}

bool isPartialName(const std::string& name) {
    return name.starts_with(".vesk-partial-");
}

std::error_code copyInto(const fs::path& from, const OpenFolder& into, const std::string& partial,
                         SourceState& before) {
    const auto state = stateOf(from);
    if (!state) {
        return lastError();
    }
    before = *state;
    if (const std::error_code ec = checkRemovable(from, before.isFolder)) {
        return ec;
    }
    bool created = false;
    const std::error_code ec = copyAt(from, into.fd(), partial, created);
    if (ec && created) {
        removeAt(into.fd(), partial.c_str());
    }
    return ec;
}

std::error_code showCopy(const OpenFolder& into, const std::string& partial,
                         const std::string& name) {
    return renameNoReplace(into.fd(), partial.c_str(), into.fd(), name.c_str());
}

std::vector<SettledCopy> settleCopies(const std::vector<PlacedCopy>& copies) {
    std::vector<std::uint64_t> deviceOf;
    const auto synced = syncVolumes(copies, deviceOf);
    std::vector<SettledCopy> settled;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const PlacedCopy& placed = copies[i];
        if (const std::error_code ec = synced.at(deviceOf[i])) {
            removeCopy(placed.copy);
            settled.push_back({SettledCopy::Outcome::failed, ec});
        } else if (!isUnchanged(placed.before, stateOf(placed.source))) {
            removeCopy(placed.copy);
            settled.push_back({SettledCopy::Outcome::sourceChanged, {}});
        } else {
            settled.push_back(removeSource(placed));
        }
    }
    return settled;
}

void removeCopy(const fs::path& copy) {
    removeAt(AT_FDCWD, copy.c_str());
}

std::error_code moveEntry(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    const auto into = OpenFolder::open(folderOf(to), ec);
    if (!into) {
        return ec;
    }
    const std::string name = to.filename().native();
    ec = renameInto(from, *into, name);
    if (ec != std::errc::cross_device_link) {
        return ec;
    }
    const std::string partial = partialName();
    SourceState before;
    if ((ec = copyInto(from, *into, partial, before))) {
        return ec;
    }
    if ((ec = showCopy(*into, partial, name))) {
        removeAt(into->fd(), partial.c_str());
        return ec;
    }
    const SettledCopy settled = settleCopies({{from, to, before}}).front();
    switch (settled.outcome) {
    case SettledCopy::Outcome::moved:
        return {};
    case SettledCopy::Outcome::sourceChanged:
        return std::make_error_code(std::errc::text_file_busy);
    case SettledCopy::Outcome::failed:
        break;
    }
    return settled.error;
}

} // namespace vesk::platform
