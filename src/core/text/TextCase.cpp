#include "core/text/TextCase.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>

namespace vesk {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string lowerCased(std::string_view text) {
    std::string lower;
    if (isAscii(text)) {
        lower = text;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        return lower;
    }
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.toLower(icu::Locale::getRoot()).toUTF8String(lower);
    return lower;
}

} // namespace vesk
