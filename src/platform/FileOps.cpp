#include "platform/FileOps.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

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
    const FileDescriptor in(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!in.valid()) {
        return lastError();
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

std::error_code removeSource(const fs::path& from, const fs::path& copy) {
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0) {
        return lastError();
    }
    if (!S_ISDIR(status.st_mode)) {
        if (::unlink(from.c_str()) == 0) {
            return {};
        }
        const std::error_code ec = lastError();
        // The source is still whole, so the copy goes and everything is as before.
        std::error_code ignored;
        fs::remove(copy, ignored);
        return ec;
    }
    // Part of a folder may already be gone when removal stops, so the complete copy is kept.
    std::error_code ec;
    fs::remove_all(from, ec);
    return ec;
}

std::error_code copyThenRemove(const fs::path& from, const fs::path& to) {
    bool created = false;
    if (const std::error_code ec = copyEntry(from, to, created)) {
        if (created) {
            std::error_code ignored;
            fs::remove_all(to, ignored);
        }
        return ec;
    }
    return removeSource(from, to);
}

} // namespace

std::error_code moveEntry(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    const int error = errno;
    if (error == EXDEV) {
        return copyThenRemove(from, to);
    }
    // Some file systems (NFS, many FUSE ones) do not know RENAME_NOREPLACE; there the check
    // just before a plain rename is the best that can be done.
    if (error == EINVAL) {
        std::error_code ec;
        if (fs::symlink_status(to, ec).type() != fs::file_type::not_found) {
            return std::make_error_code(std::errc::file_exists);
        }
        if (::rename(from.c_str(), to.c_str()) == 0) {
            return {};
        }
        return lastError();
    }
    return {error, std::generic_category()};
}

} // namespace vesk::platform
