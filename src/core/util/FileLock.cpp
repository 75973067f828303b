#include "core/util/FileLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>

namespace vesk {

namespace {

using namespace std::chrono_literals;

// Holders only read or write one small file, which takes far less than this.
constexpr auto patience = 10s;

platform::FileDescriptor openLockFile(const std::filesystem::path& lockFile) {
    platform::FileDescriptor fd(
        ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.valid()) {
        // A folder we may only read still lets readers share an existing lock file.
        fd = platform::FileDescriptor(::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    }
    return fd;
}

} // namespace

std::optional<FileLock> FileLock::acquire(const std::filesystem::path& lockFile, Mode mode,
                                          std::error_code& ec) {
    ec.clear();
    platform::FileDescriptor fd = openLockFile(lockFile);
    if (!fd.valid()) {
        ec = {errno, std::generic_category()};
        return std::nullopt;
    }
    const int operation = (mode == Mode::shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    auto pause = 1ms;
    while (::flock(fd.get(), operation) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            ec = {errno, std::generic_category()};
            return std::nullopt;
        }
        if (std::chrono::steady_clock::now() > giveUp) {
            ec = std::make_error_code(std::errc::device_or_resource_busy);
            return std::nullopt;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    return FileLock(std::move(fd));
}

} // namespace vesk
