#include "core/text/ExactText.h"

#include "core/text/Utf8.h"

namespace vesk {

namespace {

void escape(std::string& text, std::string_view bytes) {
    static constexpr char hex[] = "0123456789ABCDEF";
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        text += '%';
        text += hex[c >> 4U];
        text += hex[c & 0x0FU];
    }
}

} // namespace

std::string exactText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        // Runs of ASCII, the bulk of most names, go over as they are.
        std::size_t plain = at;
        while (plain < bytes.size() && static_cast<unsigned char>(bytes[plain]) < 0x80U &&
               bytes[plain] != '%') {
            ++plain;
        }
        text.append(bytes.substr(at, plain - at));
        at = plain;
        if (at == bytes.size()) {
            break;
        }
        const std::size_t start = at;
        const auto c = nextCodePoint(bytes, at);
        const auto sequence = bytes.substr(start, at - start);
        if (!c || *c == U'%') {
            escape(text, sequence);
        } else {
            text += sequence;
        }
    }
    return text;
}

} // namespace vesk
