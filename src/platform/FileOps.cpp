#include "platform/FileOps.h"

#include "platform/FileDescriptor.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <string>
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
    (void)::fchown(to, status.st_uid, status.st_gid);
    (void)::fchmod(to, status.st_mode & 07777);
}

std::error_code copyBytes(int from, int to) {
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
        for (ssize_t done = 0; done < got;) {
            const ssize_t put =
                ::write(to, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return lastError();
            }
            done += put;
        }
    }
}

std::error_code copyEntry(const fs::path& from, const fs::path& to, bool& created);

std::error_code copyFile(const fs::path& from, const fs::path& to, const struct stat& status,
                         bool& created) {
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
        ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
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
    // The source is removed next; its data must be on disk here first.
    if (::fsync(out.get()) != 0) {
        return lastError();
    }
    return {};
}

std::error_code copyDirectory(const fs::path& from, const fs::path& to, const struct stat& status,
                              bool& created) {
    if (::mkdir(to.c_str(), 0700) != 0) {
        return lastError();
    }
    created = true;
    std::error_code ec;
    for (fs::directory_iterator it(from, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        bool childCreated = false;
        if (const std::error_code childError =
                copyEntry(it->path(), to / it->path().filename(), childCreated)) {
            return childError;
        }
    }
    if (ec) {
        return ec;
    }
    const FileDescriptor in(::open(from.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const FileDescriptor out(::open(to.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!out.valid()) {
        return lastError();
    }
    if (in.valid()) {
        copyExtendedAttributes(in.get(), out.get());
    }
    copyOwnerAndMode(out.get(), status);
    // Times last: adding the entries above changed them.
    const std::array<timespec, 2> times{status.st_atim, status.st_mtim};
    (void)::futimens(out.get(), times.data());
    return {};
}

std::error_code copySymlink(const fs::path& from, const fs::path& to, const struct stat& status,
                            bool& created) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(from, ec);
    if (ec) {
        return ec;
    }
    if (::symlink(target.c_str(), to.c_str()) != 0) {
        return lastError();
    }
    created = true;
    (void)::lchown(to.c_str(), status.st_uid, status.st_gid);
    const std::array<timespec, 2> times{status.st_atim, status.st_mtim};
    (void)::utimensat(AT_FDCWD, to.c_str(), times.data(), AT_SYMLINK_NOFOLLOW);
    return {};
}

std::error_code copyFifo(const fs::path& to, const struct stat& status, bool& created) {
    if (::mkfifo(to.c_str(), status.st_mode & 07777) != 0) {
        return lastError();
    }
    created = true;
    return {};
}

// Sockets and device nodes have no contents to carry over; a folder holding one is not moved.
std::error_code copyEntry(const fs::path& from, const fs::path& to, bool& created) {
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0) {
        return lastError();
    }
    switch (status.st_mode & S_IFMT) {
    case S_IFREG:
        return copyFile(from, to, status, created);
    case S_IFDIR:
        return copyDirectory(from, to, status, created);
    case S_IFLNK:
        return copySymlink(from, to, status, created);
    case S_IFIFO:
        return copyFifo(to, status, created);
    default:
        return std::make_error_code(std::errc::operation_not_supported);
    }
}

// Some file systems (NFS, many FUSE ones) do not know RENAME_NOREPLACE; there the check just
// before a plain rename is the best that can be done.
std::error_code renameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL) {
        return lastError();
    }
    std::error_code ec;
    if (fs::symlink_status(to, ec).type() != fs::file_type::not_found) {
        return std::make_error_code(std::errc::file_exists);
    }
    if (::rename(from.c_str(), to.c_str()) == 0) {
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

void makeWritable(const fs::path& dir) {
    std::error_code ignored;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
}

// A copy keeps the source's permissions, so a read-only folder inside it is made writable
// before the copy is removed; otherwise half of it would stay behind.
void removeCopy(const fs::path& copy) {
    std::error_code ec;
    if (isRealFolder(copy)) {
        makeWritable(copy);
        for (fs::recursive_directory_iterator it(copy, ec), end; !ec && it != end;
             it.increment(ec)) {
            if (isRealFolder(it->path())) {
                makeWritable(it->path()); // before the iterator steps into it
            }
        }
    }
    fs::remove_all(copy, ec);
}

// Hidden, so that neither a scan nor the file manager takes an unfinished copy for a file.
std::string partialName() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char hex[] = "0123456789abcdef";
    std::string name = ".vesk-partial-";
    for (std::uint64_t bits = generator(), n = 0; n < 12; ++n, bits >>= 4U) {
        name += hex[bits & 0xFU];
    }
    return name;
}

// Copies `from` to a fresh hidden name in `folder` and tells which.
std::error_code copyToPartial(const fs::path& from, const fs::path& folder, fs::path& partial) {
    constexpr int attempts = 8;
    std::error_code ec;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        partial = folder / partialName();
        bool created = false;
        ec = copyEntry(from, partial, created);
        if (!ec) {
            return {};
        }
        if (created) {
            removeCopy(partial);
        }
        if (ec != std::errc::file_exists || created) {
            return ec;
        }
    }
    return ec;
}

void syncFolder(const fs::path& dir) {
    const FileDescriptor folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        (void)::fsync(folder.get());
    }
}

std::error_code removeSource(const fs::path& from, const fs::path& copy, bool isFolder) {
    if (!isFolder) {
        if (::unlink(from.c_str()) == 0) {
            return {};
        }
        const std::error_code ec = lastError();
        // The source is still whole, so the copy goes and everything is as before.
        removeCopy(copy);
        return ec;
    }
    // Checked to be removable, so this fails only in a race. Part of the folder may be gone by
    // then: the complete copy is the one whole version left, so it stays and the move counts.
    std::error_code ignored;
    fs::remove_all(from, ignored);
    return {};
}

// The copy appears under its real name only once it is complete and on disk, so a killed move
// never leaves a truncated file there.
std::error_code copyThenRemove(const fs::path& from, const fs::path& to) {
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0) {
        return lastError();
    }
    const bool isFolder = S_ISDIR(status.st_mode);
    if (const std::error_code ec = checkRemovable(from, isFolder)) {
        return ec;
    }
    fs::path partial;
    if (const std::error_code ec = copyToPartial(from, folderOf(to), partial)) {
        return ec;
    }
    if (const std::error_code ec = renameNoReplace(partial, to)) {
        removeCopy(partial);
        return ec;
    }
    syncFolder(folderOf(to));
    return removeSource(from, to, isFolder);
}

} // namespace

std::error_code moveEntry(const fs::path& from, const fs::path& to) {
    const std::error_code ec = renameNoReplace(from, to);
    if (ec == std::errc::cross_device_link) {
        return copyThenRemove(from, to);
    }
    return ec;
}

} // namespace vesk::platform
