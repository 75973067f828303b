#pragma once

#include <string>
#include <string_view>

namespace vesk {

// Names as JSON can keep them without losing a byte: valid UTF-8 stays as it is, while "%" and
// every byte of an invalid sequence become "%XX". Different names always give different texts,
// so a name read back from a stored file compares equal only to the very same bytes.
[[nodiscard]] std::string exactText(std::string_view bytes);

} // namespace vesk
