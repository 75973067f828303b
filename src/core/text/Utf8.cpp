#include "core/text/Utf8.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace vesk {

std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    auto index = static_cast<std::int32_t>(at);
    UChar32 c = 0;
    U8_NEXT(data, index, static_cast<std::int32_t>(text.size()), c);
    at = static_cast<std::size_t>(index);
    if (c < 0) {
        return std::nullopt;
    }
    return static_cast<char32_t>(c);
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (!nextCodePoint(text, at)) {
            return false;
        }
    }
    return true;
}

} // namespace vesk
