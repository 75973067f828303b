#pragma once

#include <string>
#include <string_view>

namespace vesk {

// How a character that does not show as itself is written out instead.
using CodePointEscape = std::string (*)(char32_t c);
// How a byte that starts no valid UTF-8 sequence is written out.
using ByteEscape = std::string (*)(unsigned char byte);

// A file name with everything that would not show as itself written out by `escape`: controls
// (a newline hides what follows it), writing-direction overrides ("invoice\u202egpj.exe" reads
// as "invoiceexe.jpg"), zero-width and other invisible characters, line and paragraph
// separators, and bytes that are not UTF-8. Variation selectors stay, as do zero-width joiners
// between two characters beyond ASCII: emoji sequences and scripts that join letters need them.
[[nodiscard]] std::string withHiddenShown(std::string_view text, CodePointEscape escape,
                                          ByteEscape escapeByte);

} // namespace vesk
