#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// The path's bytes with every byte but letters, digits, "-._~" and "/" percent-encoded.
[[nodiscard]] std::string percentEncodedPath(const std::filesystem::path& path);
// "file://" URL of an absolute path. The path's bytes are percent-encoded, so names that are
// not valid UTF-8 survive a round trip through JSON.
[[nodiscard]] std::string toFileUrl(const std::filesystem::path& path);
// The path of a "file://" URL; nothing for other schemes, hosts or broken escapes.
[[nodiscard]] std::optional<std::filesystem::path> fromFileUrl(std::string_view url);

} // namespace vesk
