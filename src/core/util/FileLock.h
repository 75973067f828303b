#pragma once

#include "platform/FileDescriptor.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

namespace vesk {

// An advisory lock (flock) on a lock file, held as long as the object lives. Every acquire opens
// the file anew, so locks exclude each other between processes and between threads alike.
class FileLock {
public:
    enum class Mode { shared, exclusive };

    // Creates the lock file when missing. Waits a few seconds at most: a holder that hangs must
    // not hang everyone else too; `ec` then says the lock is busy.
    [[nodiscard]] static std::optional<FileLock> acquire(const std::filesystem::path& lockFile,
                                                         Mode mode, std::error_code& ec);

private:
    explicit FileLock(platform::FileDescriptor fd) : fd_(std::move(fd)) {}

    platform::FileDescriptor fd_;
};

} // namespace vesk
