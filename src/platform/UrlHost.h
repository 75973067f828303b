#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesk::platform {

// The host of an absolute URL ("https://Example.org/a" gives "example.org"); nothing when the
// text is not a valid URL or names no host (a plain path, "file:///...", "mailto:...").
[[nodiscard]] std::optional<std::string> urlHost(std::string_view address);

} // namespace vesk::platform
