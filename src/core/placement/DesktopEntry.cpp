#include "core/placement/DesktopEntry.h"

#include "core/util/WholeFile.h"

#include <algorithm>

namespace vesk {
namespace {

// Desktop entries are a few kilobytes; anything far larger is not one.
constexpr std::size_t sizeLimit = 1U << 20U;
constexpr std::string_view entryGroup = "Desktop Entry";
constexpr std::string_view blanks = " \t";

struct Line {
    enum class Type { comment, group, pair, invalid };
    Type type = Type::invalid;
    std::string_view key; // the group's name for a header
    std::string_view value;
};

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

bool isLocaleChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '@';
}

// "[Name]", optionally followed by blanks.
Line groupHeader(std::string_view line) {
    const auto close = line.find(']');
    if (close == std::string_view::npos ||
        line.find_first_not_of(blanks, close + 1) != std::string_view::npos) {
        return {};
    }
    const std::string_view name = line.substr(1, close - 1);
    if (name.empty() || name.find('[') != std::string_view::npos ||
        std::any_of(name.begin(), name.end(), isControl)) {
        return {};
    }
    return {Line::Type::group, name, {}};
}

// A key, optionally with a locale ("Name[de_DE@euro]").
bool isKey(std::string_view key) {
    const auto open = key.find('[');
    const std::string_view base = key.substr(0, open);
    if (base.empty() || base.find(']') != std::string_view::npos ||
        std::any_of(base.begin(), base.end(), isControl)) {
        return false;
    }
    if (open == std::string_view::npos) {
        return true;
    }
    const std::string_view locale = key.substr(open + 1);
    return locale.ends_with(']') && std::all_of(locale.begin(), locale.end() - 1, isLocaleChar);
}

Line keyValue(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    std::string_view key = line.substr(0, equals);
    const auto keyEnd = key.find_last_not_of(blanks);
    key = key.substr(0, keyEnd == std::string_view::npos ? 0 : keyEnd + 1);
    std::string_view value = line.substr(equals + 1);
    value.remove_prefix(std::min(value.find_first_not_of(blanks), value.size()));
    if (!isKey(key)) {
        return {};
    }
    return {Line::Type::pair, key, value};
}

Line classify(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    line.remove_prefix(std::min(line.find_first_not_of(blanks), line.size()));
    if (line.empty() || line.front() == '#') {
        return {Line::Type::comment, {}, {}};
    }
    return line.front() == '[' ? groupHeader(line) : keyValue(line);
}

std::optional<char> escaped(char c) {
    switch (c) {
    case 's':
        return ' ';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case '\\':
        return '\\';
    default:
        return std::nullopt;
    }
}

// A string value with its escapes resolved; nothing for an unknown escape or a lone
// backslash at the end, which the desktop's own reader refuses as well.
std::optional<std::string> unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        const auto c = i + 1 < value.size() ? escaped(value[++i]) : std::nullopt;
        if (!c) {
            return std::nullopt;
        }
        out += *c;
    }
    return out;
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::parse(std::string_view text) {
    DesktopEntry entry;
    bool seenGroup = false;
    bool inEntryGroup = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const Line line = classify(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        switch (line.type) {
        case Line::Type::comment:
            break;
        case Line::Type::group:
            if (!seenGroup && line.key != entryGroup) {
                return std::nullopt;
            }
            seenGroup = true;
            inEntryGroup = line.key == entryGroup;
            break;
        case Line::Type::pair:
            if (!seenGroup) {
                return std::nullopt;
            }
            if (inEntryGroup && line.key == "Name") {
                entry.name = unescaped(line.value);
            }
            break;
        case Line::Type::invalid:
            return std::nullopt;
        }
    }
    return seenGroup ? std::optional(std::move(entry)) : std::nullopt;
}

std::optional<DesktopEntry> DesktopEntry::read(const std::filesystem::path& file) {
    const auto text = readWholeFile(file, sizeLimit);
    return text ? parse(*text) : std::nullopt;
}

std::string_view DesktopEntry::shortId(std::string_view fileName) {
    constexpr std::string_view suffix = ".desktop";
    if (fileName.ends_with(suffix)) {
        fileName.remove_suffix(suffix.size());
    }
    const auto dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(dot + 1);
}

} // namespace vesk
