#pragma once

#include <string>
#include <string_view>

namespace vesk {

// A random (version 4) UUID in upper-case hyphenated form.
[[nodiscard]] std::string newUuid();
// True for the canonical 8-4-4-4-12 hexadecimal form (either case).
[[nodiscard]] bool isUuid(std::string_view text);

} // namespace vesk
