#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace vesk {

// Replaces the file's contents all at once: a temporary file in the same folder is written,
// flushed to disk and renamed over the old one, so a crash leaves either the old or the new
// contents, never a truncated file. Creates the parent folder. False when anything failed.
[[nodiscard]] bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);
// The same, telling why it failed.
[[nodiscard]] bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                                       std::error_code& ec);

} // namespace vesk
