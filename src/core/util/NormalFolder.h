#pragma once

#include <filesystem>

namespace vesk {

// A folder path without "." and ".." components or a trailing separator, so that
// "~/Downloads/" and "~/Downloads" name the same folder.
[[nodiscard]] std::filesystem::path normalFolder(const std::filesystem::path& folder);

// Whether two paths name one folder: the same normal form, or the same folder on disk reached
// another way (a symbolic link, a bind mount).
[[nodiscard]] bool isSameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace vesk
