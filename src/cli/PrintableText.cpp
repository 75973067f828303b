#include "cli/PrintableText.h"

#include "core/text/HiddenCharacters.h"

#include <cstdio>

namespace vesk {

namespace {

std::string escaped(char32_t c) {
    switch (c) {
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    default:
        break;
    }
    char text[16];
    std::snprintf(text, sizeof text, c < 0x100 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(c));
    return text;
}

std::string escapedByte(unsigned char byte) {
    return escaped(byte);
}

} // namespace

std::string printable(std::string_view text) {
    return withHiddenShown(text, escaped, escapedByte);
}

} // namespace vesk
