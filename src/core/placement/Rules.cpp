#include "core/placement/Rules.h"

#include "core/placement/DesktopEntry.h"
#include "core/util/DecimalText.h"
#include "platform/EntryStatus.h"

#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>
#include <system_error>

namespace vesk {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 4> partialExts{"crdownload", "download", "part", "partial"};
constexpr std::array<std::string_view, 2> oneOffExts{"torrent", "ics"};

// Compiled once; a pattern is safe to share between threads, matchers are made per use.
std::unique_ptr<icu::RegexPattern> compile(std::u16string_view expression, uint32_t flags) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text(false, expression.data(),
                                  static_cast<int32_t>(expression.size()));
    std::unique_ptr<icu::RegexPattern> pattern(icu::RegexPattern::compile(text, flags, status));
    return U_SUCCESS(status) ? std::move(pattern) : nullptr;
}

const icu::RegexPattern* screenshotPattern() {
    static const auto pattern =
        compile(u"^(Screenshot|Screen Shot|Skjermbilde|Bildschirmfoto|Capture d\u2019écran|截屏|"
                u"屏幕快照|Screen Recording|Skjermopptak|录屏)",
                UREGEX_CASE_INSENSITIVE);
    return pattern.get();
}

const icu::RegexPattern* archiveExtensionPattern() {
    static const auto pattern =
        compile(uR"(\.(tar\.gz|tar\.xz|tar\.zst|[a-z0-9]+)$)", UREGEX_CASE_INSENSITIVE);
    return pattern.get();
}

const icu::RegexPattern* copySuffixPattern() {
    static const auto pattern = compile(uR"(( ?\(\d+\)| copy| kopi| 副本| - Copy)$)", 0);
    return pattern.get();
}

// The UTF-8 length of the first match of pattern in text, counted from its end, when the
// pattern only matches at the end. Working from the end keeps the bytes before the match as
// they were, even when the name is not valid UTF-8.
std::optional<std::size_t> matchedTailBytes(const icu::RegexPattern* pattern,
                                            std::string_view text) {
    if (pattern == nullptr) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString input = icu::UnicodeString::fromUTF8(text);
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(input, status));
    if (U_FAILURE(status) || !matcher->find(status) || U_FAILURE(status)) {
        return std::nullopt;
    }
    std::string tail;
    matcher->group(status).toUTF8String(tail);
    if (U_FAILURE(status) || tail.size() > text.size()) {
        return std::nullopt;
    }
    return tail.size();
}

bool matches(const icu::RegexPattern* pattern, std::string_view text) {
    if (pattern == nullptr) {
        return false;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString input = icu::UnicodeString::fromUTF8(text);
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(input, status));
    return U_SUCCESS(status) && matcher->find(status) && U_SUCCESS(status);
}

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& list, std::string_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(icu::UnicodeString::fromUTF8(text).countChar32());
}

// The first piece of the stem between decimal digits, empty pieces skipped; the whole stem
// when every piece is empty.
std::string leadingNonDigitPiece(std::string_view stem) {
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(stem);
    int32_t start = 0;
    for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
        if (u_isdigit(text.char32At(i))) {
            if (i > start) {
                std::string piece;
                return text.tempSubStringBetween(start, i).toUTF8String(piece);
            }
            start = text.moveIndex32(i, 1);
        }
    }
    if (start < text.length()) {
        std::string piece;
        return text.tempSubString(start).toUTF8String(piece);
    }
    return std::string(stem);
}

bool isInstalled(const std::string& key, const std::set<std::string>& installed) {
    if (characterCount(key) < 4) {
        return false;
    }
    for (const std::string& app : installed) {
        if (app.starts_with(key) || (key.starts_with(app) && characterCount(app) > 3)) {
            return true;
        }
    }
    return false;
}

// What one entry of an applications folder says is installed: a bundle or an AppImage by its
// name, a desktop entry by its id and the name it shows. An unreadable entry says nothing.
void addInstalledNames(const fs::path& entry, std::set<std::string>& names) {
    const std::string name = entry.filename().string();
    if (name.ends_with(".app") || lowerCasedExtension(name) == "appimage") {
        names.insert(Rules::normalize(platform::deletingPathExtension(name)));
    } else if (name.ends_with(".desktop")) {
        if (const auto desktop = DesktopEntry::read(entry)) {
            names.insert(Rules::normalize(DesktopEntry::shortId(name)));
            if (desktop->name) {
                names.insert(Rules::normalize(*desktop->name));
            }
        }
    }
}

// The folder an archive unpacks to: its name without the archive's extension.
std::optional<std::string> unpackedName(const FileItem& item) {
    if (item.kind != Kind::archive) {
        return std::nullopt;
    }
    const std::size_t extension =
        matchedTailBytes(archiveExtensionPattern(), item.name).value_or(0);
    return item.name.substr(0, item.name.size() - extension);
}

// The file a copy was made of: "Report (1).pdf" of "Report.pdf".
std::optional<std::string> originalName(const FileItem& item) {
    if (item.isDirectory) {
        return std::nullopt;
    }
    const std::string stem = item.stem();
    const auto suffix = matchedTailBytes(copySuffixPattern(), stem);
    if (!suffix) {
        return std::nullopt;
    }
    std::string name = stem.substr(0, stem.size() - *suffix);
    if (!item.ext.empty()) {
        name += "." + item.ext;
    }
    return name;
}

Suggestion suggest(const FileItem& item, Action action, Layer layer, ReasonCode code,
                   std::vector<ReasonArgument> arguments = {}) {
    Suggestion suggestion;
    suggestion.item = item;
    suggestion.action = std::move(action);
    suggestion.layer = layer;
    suggestion.reason = {code, std::move(arguments)};
    return suggestion;
}

} // namespace

std::optional<Suggestion> Rules::apply(const FileItem& item) const {
    if (contains(partialExts, item.ext)) {
        return suggest(item, Action::keep(), Layer::skip, ReasonCode::downloading);
    }
    if (item.kind == Kind::folder) {
        return suggest(item, Action::keep(), Layer::userFolder, ReasonCode::folder);
    }
    const double age = item.ageDays(now);
    if (age < minAgeDays) {
        return suggest(item, Action::keep(), Layer::skip, ReasonCode::tooNew,
                       {decimalText(age, 1)});
    }
    if (matches(screenshotPattern(), item.name)) {
        const bool recording = item.kind == Kind::video;
        if (const auto media = mediaFolders.find(recording ? Kind::video : Kind::image);
            media != mediaFolders.end()) {
            return recording ? suggest(item, Action::move(media->second + "/Screen Recordings"),
                                       Layer::rule, ReasonCode::screenRecording)
                             : suggest(item, Action::move(media->second + "/Screenshots"),
                                       Layer::rule, ReasonCode::screenshot);
        }
    }
    if (const auto unpacked = unpackedName(item)) {
        const fs::path parent = item.path.parent_path();
        for (const FileItem& other : items) {
            if (other.kind == Kind::folder && other.name == *unpacked &&
                other.path.parent_path() == parent) {
                return suggest(item, Action::trash(), Layer::rule, ReasonCode::unpacked);
            }
        }
    }
    if (item.kind == Kind::installer) {
        if (isInstalled(normalize(leadingNonDigitPiece(item.stem())), installed)) {
            return suggest(item, Action::trash(), Layer::rule, ReasonCode::appInstalled);
        }
        // Whole days, as the reason names them: 30.9 days is still 30 days old.
        const auto days = static_cast<long long>(age);
        if (days > 30) {
            return suggest(item, Action::trash(), Layer::rule, ReasonCode::oldInstaller,
                           {std::to_string(days)});
        }
    }
    if (item.kind == Kind::app) {
        return suggest(item, Action::toApplications(), Layer::rule, ReasonCode::application);
    }
    if (contains(oneOffExts, item.ext)) {
        return suggest(item, Action::trash(), Layer::rule, ReasonCode::oneOff, {item.ext});
    }
    if (const FileItem* first = duplicateOf(item)) {
        return suggest(item, Action::trash(), Layer::rule, ReasonCode::duplicate, {first->name});
    }
    return std::nullopt;
}

std::vector<std::string> Rules::neighbourNames(const FileItem& item) {
    std::vector<std::string> names;
    for (auto name : {unpackedName(item), originalName(item)}) {
        if (name) {
            names.push_back(std::move(*name));
        }
    }
    return names;
}

bool Rules::changesWithTime(const FileItem& item, const Suggestion& decided) {
    return item.kind == Kind::installer || decided.reason.code == ReasonCode::tooNew;
}

const FileItem* Rules::duplicateOf(const FileItem& item) const {
    const auto firstName = originalName(item);
    if (!firstName) {
        return nullptr;
    }
    const fs::path parent = item.path.parent_path();
    for (const FileItem& other : items) {
        if (other.name == *firstName && other.size == item.size &&
            other.path.parent_path() == parent) {
            return &other;
        }
    }
    return nullptr;
}

std::set<std::string> Rules::installedApps(const fs::path& home,
                                           const std::vector<fs::path>& systemDataFolders) {
    std::vector<fs::path> folders = {"/Applications", home / Action::applicationsFolder,
                                     "/System/Applications", home / ".local/share/applications"};
    for (const fs::path& data : systemDataFolders) {
        folders.push_back(data / "applications");
    }
    std::set<std::string> names;
    for (const fs::path& folder : folders) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            addInstalledNames(it->path(), names);
        }
    }
    names.erase(""); // a name without letters matches nothing
    return names;
}

std::string Rules::normalize(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString lower = icu::UnicodeString::fromUTF8(text);
    lower.toLower(icu::Locale::getRoot());
    // Composed first, so a letter written with a combining accent stays one letter.
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_SUCCESS(status)) {
        icu::UnicodeString composed = nfc->normalize(lower, status);
        if (U_SUCCESS(status)) {
            lower = std::move(composed);
        }
    }
    icu::UnicodeString letters;
    for (int32_t i = 0; i < lower.length(); i = lower.moveIndex32(i, 1)) {
        const UChar32 c = lower.char32At(i);
        if (u_isalpha(c)) {
            letters.append(c);
        }
    }
    std::string out;
    return letters.toUTF8String(out);
}

} // namespace vesk
