#include "core/placement/ContentReader.h"

#include "core/text/Tokens.h"
#include "core/text/Utf8.h"
#include "core/util/WholeFile.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

namespace vesk::ContentReader {

namespace {

constexpr int pdfPages = 2;
constexpr std::int32_t pdfCharacters = 3000;
constexpr std::size_t textBytes = 4096;
// Larger PDFs are not read at all: their first two pages are not worth the time it takes.
constexpr std::size_t pdfBytes = 64U << 20U;
constexpr auto readingTime = std::chrono::seconds(5);
constexpr std::size_t keywordCount = 30;

// Broken PDFs are common in Downloads; poppler's complaints about them are of no use to anyone.
void silencePoppler() {
    static const bool silenced = [] {
        poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr);
        return true;
    }();
    (void)silenced;
}

// The first `limit` user-perceived characters (grapheme clusters), so that neither a UTF-8
// sequence nor a letter with its combining marks is cut in two.
std::string firstCharacters(const std::string& text, std::int32_t limit) {
    if (text.size() <= static_cast<std::size_t>(limit)) {
        return text; // fewer bytes than the limit: fewer characters too
    }
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> characters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    std::string result;
    if (U_FAILURE(status)) {
        // Without a segmenter, code points are the next best unit.
        unicode.tempSubString(0, unicode.moveIndex32(0, limit)).toUTF8String(result);
        return result;
    }
    characters->setText(unicode);
    std::int32_t end = characters->first();
    for (std::int32_t n = 0; n < limit && end != icu::BreakIterator::DONE; ++n) {
        end = characters->next();
    }
    if (end == icu::BreakIterator::DONE) {
        end = unicode.length();
    }
    unicode.tempSubString(0, end).toUTF8String(result);
    return result;
}

std::optional<std::string> pdfExcerpt(const std::filesystem::path& file) {
    const auto deadline = std::chrono::steady_clock::now() + readingTime;
    // Only regular files, never through a symbolic link, and never waiting on a FIFO or device.
    const std::optional<std::string> bytes =
        readFile(file, {.bytes = pdfBytes, .followLinks = false, .deadline = deadline});
    if (!bytes) {
        return std::nullopt;
    }
    silencePoppler();
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(bytes->data(), static_cast<int>(bytes->size())));
    if (!document) {
        return std::nullopt;
    }
    std::string text;
    const int pages = std::min(document->pages(), pdfPages);
    for (int index = 0; index < pages && std::chrono::steady_clock::now() < deadline; ++index) {
        const std::unique_ptr<poppler::page> page(document->create_page(index));
        if (!page) {
            continue;
        }
        const poppler::byte_array utf8 = page->text().to_utf8();
        if (utf8.empty()) {
            continue;
        }
        if (!text.empty()) {
            text += ' ';
        }
        text.append(utf8.begin(), utf8.end());
    }
    return firstCharacters(text, pdfCharacters);
}

std::optional<std::string> textExcerpt(const std::filesystem::path& file) {
    auto bytes = readFile(file, {.bytes = textBytes, .wholeOnly = false, .followLinks = false});
    if (!bytes || !isValidUtf8(*bytes)) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::optional<std::string> excerpt(const FileItem& item) {
    switch (item.kind) {
    case Kind::pdf:
        return pdfExcerpt(item.path);
    case Kind::text:
        return textExcerpt(item.path);
    case Kind::spreadsheet:
        return item.ext == "csv" ? textExcerpt(item.path) : std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<std::vector<std::string>> keywords(const FileItem& item) {
    const std::optional<std::string> text = excerpt(item);
    if (!text) {
        return std::nullopt;
    }
    // Counted in first-occurrence order; the stable sort keeps that order among equal counts,
    // so ties go to the word the text used first.
    std::vector<std::pair<std::string, int>> counts;
    std::unordered_map<std::string, std::size_t> slot;
    for (std::string& token : Tokens::of(*text)) {
        const auto [it, inserted] = slot.try_emplace(token, counts.size());
        if (inserted) {
            counts.emplace_back(std::move(token), 1);
        } else {
            ++counts[it->second].second;
        }
    }
    std::stable_sort(counts.begin(), counts.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<std::string> result;
    for (std::size_t n = 0; n < std::min(counts.size(), keywordCount); ++n) {
        result.push_back(std::move(counts[n].first));
    }
    return result;
}

} // namespace vesk::ContentReader
