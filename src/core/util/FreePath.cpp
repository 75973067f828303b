#include "core/util/FreePath.h"

#include "platform/EntryStatus.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

namespace {

namespace fs = std::filesystem;

enum class NameState { free, taken, failed };

// Any entry counts as taken, a dangling symbolic link too: it occupies the name.
NameState probe(const fs::path& path, std::error_code& ec) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0) {
        return NameState::taken;
    }
    if (errno == ENOENT) {
        return NameState::free;
    }
    ec = {errno, std::generic_category()};
    return NameState::failed;
}

std::size_t longestName(const fs::path& folder) {
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

// The name from its stem and the rest, the stem cut at a character boundary so that the whole
// fits in `limit` bytes; empty when not even one character of the stem fits.
std::string fitted(const std::string& stem, const std::string& rest, std::size_t limit) {
    if (stem.size() + rest.size() <= limit) {
        return stem + rest;
    }
    if (rest.size() >= limit) {
        return {};
    }
    std::size_t keep = limit - rest.size();
    // Never cut a UTF-8 sequence: step back over continuation bytes.
    while (keep > 0 && (static_cast<unsigned char>(stem[keep]) & 0xC0U) == 0x80U) {
        --keep;
    }
    return keep == 0 ? std::string() : stem.substr(0, keep) + rest;
}

} // namespace

fs::path freePath(const fs::path& wanted, std::error_code& ec) {
    ec.clear();
    const fs::path folder = wanted.parent_path();
    // The same extension rule as the file model's, so "Tool.app" becomes "Tool 2.app".
    const std::string name = wanted.filename().string();
    const std::string stem(platform::deletingPathExtension(name));
    const std::string_view extension = platform::pathExtension(name);
    std::string dotExtension;
    if (!extension.empty()) {
        dotExtension.append(".").append(extension);
    }
    // Learnt from the file system only when it refuses a name as too long.
    std::size_t limit = std::numeric_limits<std::size_t>::max();
    for (long n = 1;;) {
        std::string suffix;
        if (n > 1) {
            suffix.append(" ").append(std::to_string(n));
        }
        suffix += dotExtension;
        const std::string candidate = fitted(stem, suffix, limit);
        if (candidate.empty()) {
            ec = std::make_error_code(std::errc::filename_too_long);
            return {};
        }
        switch (probe(folder / candidate, ec)) {
        case NameState::free:
            return folder / candidate;
        case NameState::taken:
            ++n;
            break;
        case NameState::failed:
            if (ec != std::errc::filename_too_long || candidate.size() <= longestName(folder) ||
                limit != std::numeric_limits<std::size_t>::max()) {
                return {};
            }
            ec.clear();
            limit = longestName(folder);
            break;
        }
    }
}

bool isFreeNameOf(const fs::path& name, const fs::path& wanted) {
    const std::string given = name.filename().native();
    const std::string original = wanted.filename().native();
    if (given == original) {
        return true;
    }
    const std::string_view stem = platform::deletingPathExtension(original);
    const std::string_view extension = platform::pathExtension(original);
    std::string head(stem);
    head.append(" ");
    std::string tail;
    if (!extension.empty()) {
        tail.append(".").append(extension);
    }
    if (!given.starts_with(head) || !given.ends_with(tail) ||
        given.size() <= head.size() + tail.size()) {
        return false;
    }
    const std::string_view number =
        std::string_view(given).substr(head.size(), given.size() - head.size() - tail.size());
    return number.front() != '0' &&
           std::ranges::all_of(number, [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace vesk
