#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace vesk {

// The bytes of a regular file of at most `limit` bytes; nothing when it is missing, not a
// regular file (a folder, a FIFO), larger, or unreadable. Never blocks on a special file and
// never throws.
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& file,
                                                       std::size_t limit);

} // namespace vesk
