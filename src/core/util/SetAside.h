#pragma once

#include <filesystem>
#include <system_error>

namespace vesk {

// Renames a stored file that cannot be read out of the way, as "<file>.corrupt-<date>" (or the
// next free name), so that writing a fresh one never loses what was there. Never replaces
// anything; `kept` is the new name.
[[nodiscard]] std::error_code setAside(const std::filesystem::path& file,
                                       std::filesystem::path& kept);

} // namespace vesk
