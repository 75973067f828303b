#include "core/util/WholeFile.h"

#include "platform/FileDescriptor.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

std::optional<std::string> readFile(const std::filesystem::path& file,
                                    const FileReadLimits& limits) {
    // Non-blocking, so a FIFO at the path can't stall the open; fstat then refuses it.
    const int flags =
        O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (limits.followLinks ? 0 : O_NOFOLLOW);
    const platform::FileDescriptor fd(::open(file.c_str(), flags));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        (limits.wholeOnly && static_cast<std::size_t>(status.st_size) > limits.bytes)) {
        return std::nullopt;
    }
    std::string bytes;
    std::array<char, 65536> buffer{};
    while (bytes.size() < limits.bytes) {
        const std::size_t wanted = std::min(buffer.size(), limits.bytes - bytes.size());
        const ssize_t got = ::read(fd.get(), buffer.data(), wanted);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || std::chrono::steady_clock::now() > limits.deadline) {
            return std::nullopt;
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    // The file may have grown since fstat.
    if (limits.wholeOnly) {
        char extra = 0;
        if (::read(fd.get(), &extra, 1) != 0) {
            return std::nullopt;
        }
    }
    return bytes;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& file, std::size_t limit) {
    return readFile(file, {.bytes = limit});
}

} // namespace vesk
