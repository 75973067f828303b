#pragma once

#include <filesystem>
#include <system_error>

namespace vesk::platform {

// Moves an entry (file, folder, package or symbolic link) to `to`, never replacing anything:
// when `to` is taken the result is `std::errc::file_exists` and nothing has changed. Across file
// systems the entry is copied, folders recursively, keeping permissions, times and extended
// attributes where the target allows: under a hidden temporary name in the target folder, renamed
// into place once complete and flushed, and the source is removed after that. A source that could
// not be removed is not copied at all; a copy that fails, or whose source then cannot be removed,
// is removed again, and the source stays as it was.
[[nodiscard]] std::error_code moveEntry(const std::filesystem::path& from,
                                        const std::filesystem::path& to);

} // namespace vesk::platform
