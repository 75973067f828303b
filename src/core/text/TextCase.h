#pragma once

#include <string>
#include <string_view>

namespace vesk {

[[nodiscard]] bool isAscii(std::string_view text);

// Unicode lower-casing with the root locale; plain ASCII, the usual case, needs no conversion.
[[nodiscard]] std::string lowerCased(std::string_view text);

} // namespace vesk
