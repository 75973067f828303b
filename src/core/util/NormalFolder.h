#pragma once

#include <filesystem>

namespace vesk {

// A folder path without "." and ".." components or a trailing separator, so that
// "~/Downloads/" and "~/Downloads" name the same folder.
[[nodiscard]] std::filesystem::path normalFolder(const std::filesystem::path& folder);

} // namespace vesk
