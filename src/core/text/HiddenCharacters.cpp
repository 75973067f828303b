#include "core/text/HiddenCharacters.h"

#include "core/text/Utf8.h"

#include <unicode/uchar.h>

#include <optional>
#include <vector>

namespace vesk {

namespace {

constexpr char32_t zeroWidthNonJoiner = 0x200C;
constexpr char32_t zeroWidthJoiner = 0x200D;

struct Piece {
    std::size_t start = 0;
    std::size_t size = 0;
    std::optional<char32_t> c; // absent: bytes that are not UTF-8
};

bool isVariationSelector(char32_t c) {
    return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_VARIATION_SELECTOR) != 0;
}

bool isInvisible(char32_t c) {
    const auto type = u_charType(static_cast<UChar32>(c));
    if (type == U_CONTROL_CHAR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR) {
        return true;
    }
    return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_DEFAULT_IGNORABLE_CODE_POINT) != 0 &&
           !isVariationSelector(c);
}

// A character beyond ASCII that shows: what a joiner may legitimately stand between.
bool joins(const std::optional<char32_t>& c) {
    return c && *c > 0x7F && !isInvisible(*c);
}

bool isHidden(const std::vector<Piece>& pieces, std::size_t i) {
    const char32_t c = *pieces[i].c;
    if (!isInvisible(c)) {
        return false;
    }
    if (c == zeroWidthJoiner || c == zeroWidthNonJoiner) {
        const bool between = i > 0 && i + 1 < pieces.size() && joins(pieces[i - 1].c) &&
                             joins(pieces[i + 1].c);
        return !between;
    }
    return true;
}

} // namespace

std::string withHiddenShown(std::string_view text, CodePointEscape escape,
                            ByteEscape escapeByte) {
    std::vector<Piece> pieces;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const auto c = nextCodePoint(text, at);
        pieces.push_back({start, at - start, c});
    }
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        if (!piece.c) {
            for (std::size_t b = piece.start; b < piece.start + piece.size; ++b) {
                shown += escapeByte(static_cast<unsigned char>(text[b]));
            }
        } else if (isHidden(pieces, i)) {
            shown += escape(*piece.c);
        } else {
            shown.append(text.substr(piece.start, piece.size));
        }
    }
    return shown;
}

} // namespace vesk
