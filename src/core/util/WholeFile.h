#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace vesk {

struct FileReadLimits {
    std::size_t bytes = 0;
    // A longer file gives nothing; otherwise its first `bytes` bytes are read.
    bool wholeOnly = true;
    bool followLinks = true;
    // Reading that is still going on by then gives up.
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

// The bytes of a regular file within the limits; nothing when it is missing, not a regular file
// (a folder, a FIFO, a device), too long, too slow or unreadable. Never blocks on opening a
// special file and never throws.
[[nodiscard]] std::optional<std::string> readFile(const std::filesystem::path& file,
                                                  const FileReadLimits& limits);

// The whole of a regular file of at most `limit` bytes.
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& file,
                                                       std::size_t limit);

} // namespace vesk
