#include "core/text/NameFeatures.h"

#include "core/text/TextCase.h"
#include "core/text/Utf8.h"

#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>

namespace vesk::NameFeatures {

namespace {

// Whitespace and the punctuation that joins words in file names.
constexpr auto asciiGramSeparators = [] {
    std::array<bool, 0x80> table{};
    for (const char c : std::string_view(" \t\n\v\f\r_-.()[]{}@,;")) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}();

bool isGramSeparator(char32_t c) {
    if (c < 0x80) {
        return asciiGramSeparators[c];
    }
    return u_isUWhiteSpace(static_cast<UChar32>(c)) != 0;
}

// Calls visit(c) for every code point of the lower-cased NFC text; plain ASCII, the usual
// case, without ICU.
template <class Visit> void forEachLowerCodePoint(std::string_view text, Visit visit) {
    if (isAscii(text)) {
        for (const char c : text) {
            visit(static_cast<char32_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
        }
        return;
    }
    icu::UnicodeString unicode =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.toLower(icu::Locale::getRoot());
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_SUCCESS(status)) {
        icu::UnicodeString normalized = nfc->normalize(unicode, status);
        if (U_SUCCESS(status)) {
            unicode = std::move(normalized);
        }
    }
    for (int32_t i = 0; i < unicode.length(); i = unicode.moveIndex32(i, 1)) {
        visit(static_cast<char32_t>(unicode.char32At(i)));
    }
}

std::string utf8(std::u32string_view points) {
    std::string text;
    for (const char32_t c : points) {
        char bytes[U8_MAX_LENGTH];
        int32_t length = 0;
        U8_APPEND_UNSAFE(bytes, length, c);
        text.append(bytes, static_cast<std::size_t>(length));
    }
    return text;
}

bool hasDigit(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (const auto c = nextCodePoint(text, at); c && u_isdigit(static_cast<UChar32>(*c))) {
            return true;
        }
    }
    return false;
}

std::size_t codePoints(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        (void)nextCodePoint(text, at);
    }
    return count;
}

bool hasUnspaced(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (const auto c = nextCodePoint(text, at); c && isUnspaced(*c)) {
            return true;
        }
    }
    return false;
}

constexpr int pointBits = 21; // every code point fits
constexpr std::uint64_t pairMark = std::uint64_t{1} << 63;

} // namespace

bool isUnspaced(char32_t c) {
    return c >= 0x2E80 && u_isalpha(static_cast<UChar32>(c)) != 0;
}


void grams(std::string_view name, std::vector<std::uint64_t>& keys) {
    thread_local std::u32string buffer; // kept: asked for every name of a home
    std::u32string& text = buffer;
    text.assign(1, U' ');
    bool unspaced = false;
    forEachLowerCodePoint(name, [&](char32_t c) {
        if (!isGramSeparator(c)) {
            text.push_back(c);
            unspaced = unspaced || isUnspaced(c);
        } else if (text.back() != U' ') {
            text.push_back(U' ');
        }
    });
    if (text.back() != U' ') {
        text.push_back(U' ');
    }
    keys.clear();
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        keys.push_back((std::uint64_t{text[i]} << (2 * pointBits)) |
                       (std::uint64_t{text[i + 1]} << pointBits) | text[i + 2]);
    }
    if (unspaced) {
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            if (isUnspaced(text[i]) || isUnspaced(text[i + 1])) {
                keys.push_back(pairMark | (std::uint64_t{text[i]} << pointBits) | text[i + 1]);
            }
        }
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
}

std::vector<std::string> terms(std::string_view name) {
    std::vector<std::string> words;
    for (std::string& word : phraseWords(name)) {
        // Numbers and short words tell folders apart poorly; unspaced text comes in pairs.
        const bool ascii = isAscii(word);
        if ((ascii && word.size() >= 3 &&
             std::none_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) ||
            (!ascii && !hasUnspaced(word) && !hasDigit(word) && codePoints(word) >= 3)) {
            words.push_back(std::move(word));
        }
    }
    if (isAscii(name)) {
        return words;
    }
    char32_t previous = 0;
    forEachLowerCodePoint(name, [&](char32_t c) {
        if (isUnspaced(previous) && isUnspaced(c)) {
            words.push_back(utf8(std::u32string{previous, c}));
        }
        previous = c;
    });
    return words;
}

std::vector<std::string> phraseWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    const auto finish = [&] {
        if (word.empty()) {
            return;
        }
        if (isAscii(word) && word.size() >= 5 && word.ends_with('s') && !word.ends_with("ss")) {
            word.pop_back();
        }
        words.push_back(std::move(word));
        word.clear();
    };
    // "SwiftNotes" holds the word "swift": a capital after a lower-case letter starts a word.
    if (isAscii(text)) {
        char before = ' ';
        for (const char c : text) {
            const bool lower = c >= 'a' && c <= 'z';
            const bool upper = c >= 'A' && c <= 'Z';
            const bool digit = c >= '0' && c <= '9';
            if (upper && before >= 'a' && before <= 'z') {
                finish();
            }
            if (lower || upper || digit || c == '+' || c == '#') {
                word.push_back(upper ? static_cast<char>(c - 'A' + 'a') : c);
            } else {
                finish();
            }
            before = c;
        }
        finish();
        return words;
    }
    std::string split;
    for (std::size_t i = 0; i < text.size(); ++i) {
        split.push_back(text[i]);
        if (text[i] >= 'a' && text[i] <= 'z' && i + 1 < text.size() && text[i + 1] >= 'A' &&
            text[i + 1] <= 'Z') {
            split.push_back(' ');
        }
    }
    forEachLowerCodePoint(split, [&](char32_t c) {
        if (c == U'+' || c == U'#' || u_isalnum(static_cast<UChar32>(c)) != 0) {
            word += utf8(std::u32string{c});
        } else {
            finish();
        }
    });
    finish();
    return words;
}

std::vector<std::string> phrases(std::string_view folderName) {
    std::vector<std::string> found;
    std::string phrase;
    const auto finish = [&] {
        if (!phrase.empty()) {
            found.push_back(std::move(phrase));
            phrase.clear();
        }
    };
    std::string part;
    const auto endPart = [&] {
        for (const std::string& word : phraseWords(part)) {
            if (word == "and") {
                finish();
            } else {
                phrase += phrase.empty() ? word : " " + word;
            }
        }
        finish();
        part.clear();
    };
    for (const char c : folderName) {
        if (c == ',' || c == '&' || c == '/') {
            endPart();
        } else {
            part.push_back(c);
        }
    }
    endPart();
    return found;
}

} // namespace vesk::NameFeatures
