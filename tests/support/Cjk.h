#pragma once

#include <string_view>

namespace vesk::test {

// Whether UTF-8 text holds a Chinese, Japanese or Korean character, or full-width punctuation.
inline bool hasCjk(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3FU >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6U) | (static_cast<unsigned char>(utf8[i + k]) & 0x3FU);
        }
        if ((c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
            (c >= 0xFF00 && c <= 0xFFEF) || c >= 0x20000) {
            return true;
        }
        i += length;
    }
    return false;
}

} // namespace vesk::test
