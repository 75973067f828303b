#include "cli/PrintableText.h"

#include "core/text/Utf8.h"

#include <cstdio>

namespace vesk {

namespace {

bool isDirectionControl(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

bool needsEscape(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || isDirectionControl(c);
}

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

} // namespace

std::string printable(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const auto c = nextCodePoint(text, at);
        if (!c) {
            for (std::size_t i = start; i < at; ++i) {
                result += escaped(static_cast<unsigned char>(text[i]));
            }
        } else if (needsEscape(*c)) {
            result += escaped(*c);
        } else {
            result.append(text.substr(start, at - start));
        }
    }
    return result;
}

} // namespace vesk
