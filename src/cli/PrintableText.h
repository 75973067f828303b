#pragma once

#include <string>
#include <string_view>

namespace vesk {

// Text from a file name made safe for a terminal: control characters (a newline, an escape
// sequence), writing-direction overrides, invisible characters and bytes that are not UTF-8 are
// shown as escapes ("\n", "\x1b", "\u202e"), so that a name can neither forge a line of output
// nor hide what it is.
[[nodiscard]] std::string printable(std::string_view text);

} // namespace vesk
