#include "core/text/Tokens.h"

#include "core/text/TextCase.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <unordered_set>

namespace vesk::Tokens {
namespace {

constexpr std::string_view stopwordList[] = {
    "img",       "image",      "images",   "file",      "files",    "copy",        "final",
    "new",       "untitled",   "document", "documents", "doc",      "scan",        "download",
    "downloads", "screenshot", "screen",   "shot",      "the",      "and",         "of",
    "for",       "to",         "in",       "on",        "with",     "at",          "am",
    "pm",        "by",         "from",     "kopi",      "dokument", "fil",         "og",
    "til",       "av",         "på",       "med",       "bilde",    "skjermbilde", "pdf",
    "jpg",       "jpeg",       "png",      "heic",      "gif",      "mp4",         "mov",
    "zip",       "dmg",        "export",   "exported",  "edited",   "version",     "draft",
    "report",    "note",       "notes",    "副本",      "未命名",   "的",          "和",
    "文件",      "图片",       "截屏",     "截图",
};
static_assert(std::size(stopwordList) == 67);

bool isStopword(const std::string& token) {
    static const std::unordered_set<std::string_view> set(std::begin(stopwordList),
                                                          std::end(stopwordList));
    return set.contains(token);
}

// Per-thread ICU state: a break iterator keeps the text it works on, so it cannot be shared.
struct Segmenters {
    std::unique_ptr<icu::BreakIterator> words;
    std::unique_ptr<icu::BreakIterator> characters;
    UText wordText = UTEXT_INITIALIZER;
    UText characterText = UTEXT_INITIALIZER;

    Segmenters() {
        UErrorCode status = U_ZERO_ERROR;
        words.reset(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) {
            words.reset();
        }
        status = U_ZERO_ERROR;
        characters.reset(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) {
            characters.reset();
        }
    }
    ~Segmenters() {
        utext_close(&wordText);
        utext_close(&characterText);
    }
    Segmenters(const Segmenters&) = delete;
    Segmenters& operator=(const Segmenters&) = delete;
};

Segmenters& segmenters() {
    thread_local Segmenters instance;
    return instance;
}

bool isAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool isAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// Looked up once for every byte of every name, so a table rather than a search.
constexpr auto separators = [] {
    std::array<bool, 256> table{};
    for (const char c : std::string_view("_-.+()[]{}@#,;")) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}();

bool isSeparator(char c) {
    return separators[static_cast<unsigned char>(c)];
}

// Separators become spaces, and a space goes between an ASCII lower-case letter and the capital
// after it ("invoiceMarchPDF" gives "invoice March PDF"). Both rules look at ASCII only, so one
// pass over the UTF-8 bytes does both.
void splitWords(std::string_view name, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        out.push_back(isSeparator(c) ? ' ' : c);
        if (isAsciiLower(c) && i + 1 < name.size() && isAsciiUpper(name[i + 1])) {
            out.push_back(' ');
        }
    }
}

// Decoding replaces malformed bytes with U+FFFD, so every token is valid UTF-8. NFC makes a
// decomposed name (as copied from a Mac) give the same tokens and stopwords as a composed one.
void toValidNfc(std::string& text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    if (U_SUCCESS(status) && !nfc->isNormalized(unicode, status) && U_SUCCESS(status)) {
        icu::UnicodeString normalized = nfc->normalize(unicode, status);
        if (U_SUCCESS(status)) {
            unicode = std::move(normalized);
        }
    }
    text.clear();
    unicode.toUTF8String(text);
}

// Calls visit(character) for every user-perceived character (extended grapheme cluster).
template <class Visit> void forEachCharacter(std::string_view text, Visit visit) {
    Segmenters& s = segmenters();
    UErrorCode status = U_ZERO_ERROR;
    utext_openUTF8(&s.characterText, text.data(), static_cast<int64_t>(text.size()), &status);
    if (!s.characters || U_FAILURE(status)) {
        return;
    }
    s.characters->setText(&s.characterText, status);
    if (U_FAILURE(status)) {
        return;
    }
    int32_t start = s.characters->first();
    for (int32_t end = s.characters->next(); end != icu::BreakIterator::DONE;
         start = end, end = s.characters->next()) {
        visit(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    }
}

std::size_t characterCount(std::string_view text, bool ascii) {
    if (ascii) {
        return text.size(); // no two ASCII characters inside one word form a cluster
    }
    std::size_t count = 0;
    forEachCharacter(text, [&](std::string_view) { ++count; });
    return count;
}

template <class Test> bool anyScalar(std::string_view text, Test test) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (test(c)) {
            return true;
        }
    }
    return false;
}

icu::UnicodeString upper(icu::UnicodeString text) {
    return text.toUpper(icu::Locale::getRoot());
}

icu::UnicodeString lower(icu::UnicodeString text) {
    return text.toLower(icu::Locale::getRoot());
}

// A single upper-case scalar, or a cased character that upper-casing leaves as it is.
bool isUpperCase(std::string_view character) {
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(character);
    const bool single = text.countChar32() == 1;
    if (single && u_hasBinaryProperty(text.char32At(0), UCHAR_UPPERCASE)) {
        return true;
    }
    const icu::UnicodeString upperText = upper(text);
    const bool cased = (single && u_hasBinaryProperty(text.char32At(0), UCHAR_CASED)) ||
                       upperText != text || lower(text) != text;
    return cased && upperText == text;
}

// Two capitals, such as "AI" or "TV": short, yet meant as a word.
bool isAcronym(std::string_view word) {
    if (isAscii(word)) {
        return word.size() == 2 && isAsciiUpper(word[0]) && isAsciiUpper(word[1]);
    }
    std::size_t count = 0;
    bool allUpper = true;
    forEachCharacter(word, [&](std::string_view character) {
        ++count;
        allUpper = allUpper && count <= 2 && isUpperCase(character);
    });
    return count == 2 && allUpper;
}

// One plural rule and nothing else: "invoices" gives "invoice"; "class", "bus" and words with
// any non-ASCII character stay as they are.
void stem(std::string& word, bool ascii) {
    if (ascii && word.size() >= 5 && word.ends_with('s') && !word.ends_with("ss")) {
        word.pop_back();
    }
}

bool keep(const std::string& token, bool ascii, bool acronym) {
    const bool cjk = !ascii && anyScalar(token, [](UChar32 c) { return c >= 0x2E80; });
    const std::size_t minLength = cjk || acronym ? 2 : 3;
    if (characterCount(token, ascii) < minLength) {
        return false;
    }
    // Years, version marks and numerals of any script tell folders apart poorly.
    const bool numeral =
        ascii ? std::any_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; })
              : anyScalar(token, [](UChar32 c) {
                    return u_getIntPropertyValue(c, UCHAR_NUMERIC_TYPE) != U_NT_NONE;
                });
    return !numeral && !isStopword(token);
}

// A word's token, when it survives the filters.
void addToken(std::string_view word, std::vector<std::string>& tokens) {
    std::string token = lowerCased(word);
    const bool ascii = isAscii(token);
    stem(token, ascii);
    if (keep(token, ascii, isAcronym(word))) {
        tokens.push_back(std::move(token));
    }
}

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isAsciiLetter(char c) {
    return isAsciiLower(c) || isAsciiUpper(c);
}
bool isAsciiWordCharacter(char c) {
    return isAsciiLetter(c) || isAsciiDigit(c);
}

// An apostrophe between two letters or two digits stays inside the word ("don't", "1'000").
bool apostropheJoins(char before, char after) {
    return (isAsciiLetter(before) && isAsciiLetter(after)) ||
           (isAsciiDigit(before) && isAsciiDigit(after));
}

// The word segmenter's rules as they apply to plain ASCII once separators are spaces: a word is
// a run of letters and digits, an apostrophe can join two of them, and every other character
// stands alone and is no word. Most names are ASCII, and this spares them the segmenter.
template <class Visit> void forEachAsciiWord(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        if (!isAsciiWordCharacter(text[start])) {
            ++start;
            continue;
        }
        std::size_t end = start + 1;
        while (end < text.size()) {
            if (isAsciiWordCharacter(text[end])) {
                ++end;
            } else if (text[end] == '\'' && end + 1 < text.size() &&
                       apostropheJoins(text[end - 1], text[end + 1])) {
                end += 2;
            } else {
                break;
            }
        }
        visit(text.substr(start, end - start));
        start = end;
    }
}

// Words by the segmenter: dictionary-based for scripts without spaces.
template <class Visit> void forEachSegmentedWord(std::string_view text, Visit visit) {
    Segmenters& s = segmenters();
    if (!s.words) {
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    utext_openUTF8(&s.wordText, text.data(), static_cast<int64_t>(text.size()), &status);
    if (U_FAILURE(status)) {
        return;
    }
    s.words->setText(&s.wordText, status);
    if (U_FAILURE(status)) {
        return;
    }
    int32_t start = s.words->first();
    for (int32_t end = s.words->next(); end != icu::BreakIterator::DONE;
         start = end, end = s.words->next()) {
        if (s.words->getRuleStatus() != UBRK_WORD_NONE) { // not spaces or punctuation
            visit(text.substr(static_cast<std::size_t>(start),
                              static_cast<std::size_t>(end - start)));
        }
    }
}

} // namespace

std::vector<std::string> of(std::string_view name) {
    std::vector<std::string> tokens;
    thread_local std::string text; // reused so that most calls allocate only their result
    splitWords(name, text);
    const auto add = [&](std::string_view word) { addToken(word, tokens); };
    if (isAscii(text)) {
        forEachAsciiWord(text, add);
    } else {
        toValidNfc(text);
        forEachSegmentedWord(text, add);
    }
    return tokens;
}

} // namespace vesk::Tokens
