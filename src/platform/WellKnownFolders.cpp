#include "platform/WellKnownFolders.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;

struct FolderNames {
    std::string_view key;
    std::string_view fallback;
};

FolderNames namesOf(WellKnownFolder folder) {
    switch (folder) {
    case WellKnownFolder::desktop:
        return {"XDG_DESKTOP_DIR", "Desktop"};
    case WellKnownFolder::documents:
        return {"XDG_DOCUMENTS_DIR", "Documents"};
    case WellKnownFolder::downloads:
        return {"XDG_DOWNLOAD_DIR", "Downloads"};
    case WellKnownFolder::pictures:
        return {"XDG_PICTURES_DIR", "Pictures"};
    case WellKnownFolder::movies:
        return {"XDG_VIDEOS_DIR", "Movies"};
    case WellKnownFolder::music:
        return {"XDG_MUSIC_DIR", "Music"};
    case WellKnownFolder::publicShare:
        return {"XDG_PUBLICSHARE_DIR", "Public"};
    case WellKnownFolder::templates:
        return {"XDG_TEMPLATES_DIR", "Templates"};
    }
    return {"XDG_DOCUMENTS_DIR", "Documents"};
}

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Length of a "$HOME" or "${HOME}" reference at the start of text, 0 when there is none.
std::size_t homeReferenceLength(std::string_view text) {
    if (text.starts_with("${HOME}")) {
        return 7;
    }
    if (text.starts_with("$HOME") && (text.size() == 5 || !isNameChar(text[5]))) {
        return 5;
    }
    return 0;
}

// Expands one shell word the way sh would for the assignments xdg-user-dirs writes: quotes,
// backslash escapes and $HOME. Any other expansion makes the word unusable, since we cannot
// know what it would give.
std::optional<std::string> expandWord(std::string_view word, const std::string& home) {
    std::string out;
    enum class Quote { none, single, dbl } quote = Quote::none;
    std::size_t i = 0;
    while (i < word.size()) {
        const char c = word[i];
        if (quote == Quote::single) {
            if (c == '\'') {
                quote = Quote::none;
            } else {
                out += c;
            }
            ++i;
            continue;
        }
        if (c == '\\') {
            if (i + 1 >= word.size()) {
                return std::nullopt;
            }
            const char next = word[i + 1];
            // Inside double quotes a backslash only escapes these; elsewhere it stays.
            if (quote == Quote::dbl &&
                std::string_view("$`\"\\").find(next) == std::string_view::npos) {
                out += c;
            }
            out += next;
            i += 2;
            continue;
        }
        if (c == '$') {
            const std::size_t length = homeReferenceLength(word.substr(i));
            if (length == 0) {
                return std::nullopt;
            }
            out += home;
            i += length;
            continue;
        }
        if (c == '`') {
            return std::nullopt;
        }
        if (c == '"') {
            quote = quote == Quote::dbl ? Quote::none : Quote::dbl;
        } else if (c == '\'' && quote == Quote::none) {
            quote = Quote::single;
        } else if (quote == Quote::none && (c == ' ' || c == '\t')) {
            // The word ends here; only a comment may follow.
            const std::size_t rest = word.find_first_not_of(" \t", i);
            if (rest != std::string_view::npos && word[rest] != '#') {
                return std::nullopt;
            }
            return out;
        } else {
            out += c;
        }
        ++i;
    }
    if (quote != Quote::none) {
        return std::nullopt;
    }
    return out;
}

// The folder relative to home, when it is strictly inside home.
std::optional<std::string> insideHome(const std::string& value, const fs::path& home) {
    const fs::path folder = fs::path(value).lexically_normal();
    if (!folder.is_absolute()) {
        return std::nullopt;
    }
    fs::path relative = folder.lexically_relative(home);
    if (!relative.empty() && relative.filename().empty()) {
        relative = relative.parent_path(); // "Videos/" from a trailing slash
    }
    if (relative.empty() || relative == "." || *relative.begin() == "..") {
        return std::nullopt;
    }
    return relative.generic_string();
}

// The home as text in normal form, without a trailing "/" (but "/" itself).
std::string homeText(const fs::path& home) {
    std::string text = home.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

// Like xdg-user-dirs itself, the account's own home takes the file from XDG_CONFIG_HOME; any
// other home (a demo home) keeps its own, so the person's names never leak into it.
fs::path userDirsFile(const fs::path& home) {
    const char* accountHome = std::getenv("HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (accountHome != nullptr && config != nullptr && fs::path(config).is_absolute() &&
        homeText(accountHome) == homeText(home)) {
        return fs::path(config) / "user-dirs.dirs";
    }
    return home / ".config" / "user-dirs.dirs";
}

// The value the user-dirs file assigns to key, when it names a folder inside home. Like the
// shell that would source the file, the last assignment wins; lines it could not run are ignored.
std::optional<std::string> configuredFolder(const fs::path& home, std::string_view key) {
    std::ifstream file(userDirsFile(home));
    if (!file) {
        return std::nullopt;
    }
    const std::string normalHome = homeText(home);
    std::optional<std::string> assigned;
    std::string line;
    while (std::getline(file, line)) {
        std::string_view text(line);
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
        if (!text.starts_with(key) || text.substr(key.size(), 1) != "=") {
            continue;
        }
        if (auto value = expandWord(text.substr(key.size() + 1), normalHome)) {
            assigned = std::move(value);
        }
    }
    if (!assigned) {
        return std::nullopt;
    }
    return insideHome(*assigned, fs::path(normalHome));
}

} // namespace

std::string wellKnownFolder(const std::filesystem::path& home, WellKnownFolder folder) {
    const FolderNames names = namesOf(folder);
    return configuredFolder(home, names.key).value_or(std::string(names.fallback));
}

} // namespace vesk::platform
