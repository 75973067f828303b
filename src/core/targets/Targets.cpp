#include "core/targets/Targets.h"

#include "core/items/FileItem.h"
#include "core/targets/ProjectMarkers.h"
#include "platform/EntryStatus.h"
#include "platform/FolderEntry.h"

#include <algorithm>
#include <array>
#include <deque>
#include <set>
#include <string_view>

namespace vesk {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t maxSiblingNames = 200;

constexpr std::array<std::string_view, 10> skipNames{
    "node_modules", ".build",      "build",       "dist", "venv",
    ".venv",        "__pycache__", "DerivedData", "Pods", "_locales"};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// The folder's path relative to home; other folders keep their whole path.
std::string labelOf(const fs::path& folder, const fs::path& home) {
    std::string prefix = home.string();
    while (!prefix.empty() && prefix.back() == '/') {
        prefix.pop_back();
    }
    prefix += '/';
    const std::string path = folder.string();
    return path.starts_with(prefix) ? path.substr(prefix.size()) : path;
}

struct Listing {
    bool hasProjectMarker = false;    // hidden names count: ".git" is one
    std::vector<std::string> files;   // visible non-folders, packages and unreadable entries
    std::vector<fs::path> subfolders; // visible folders worth walking
};

// Nothing when the folder cannot be listed completely. The entry itself counts, links not
// followed: a link to a folder is a file, so the walk can neither loop nor wander out of the
// home folder. An entry whose type cannot be read counts as a file.
std::optional<Listing> list(const fs::path& folder) {
    auto entries = platform::folderEntries(folder);
    if (!entries) {
        return std::nullopt;
    }
    Listing listing;
    for (platform::FolderEntry& entry : *entries) {
        listing.hasProjectMarker = listing.hasProjectMarker || isProjectMarker(entry.name);
        if (entry.name.starts_with('.')) {
            continue;
        }
        if (entry.type != platform::FolderEntry::Type::folder ||
            platform::isPackageName(entry.name)) {
            listing.files.push_back(std::move(entry.name));
        } else if (!contains(skipNames, entry.name)) {
            listing.subfolders.push_back(folder / entry.name);
        }
    }
    return listing;
}

// FNV-1a over every name the walk takes from a listing, each ended by a zero byte (a name never
// holds one), and what kind of name it is.
class Digest {
public:
    void add(std::string_view text, char tag) {
        for (const char c : text) {
            mix(static_cast<unsigned char>(c));
        }
        mix(0);
        mix(static_cast<unsigned char>(tag));
    }
    [[nodiscard]] std::uint64_t value() const { return value_; }

private:
    void mix(unsigned char byte) {
        value_ = (value_ ^ byte) * 0x100000001b3ULL;
    }
    std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

std::uint64_t digestOf(const Listing& listing, bool asRoot) {
    Digest digest;
    if (!asRoot) {
        digest.add({}, listing.hasProjectMarker ? 'p' : 'n');
        for (const std::string& name : listing.files) {
            digest.add(name, 'f');
        }
    }
    for (const fs::path& folder : listing.subfolders) {
        digest.add(folder.filename().native(), 'd');
    }
    return digest.value();
}

Target targetOf(const fs::path& folder, const fs::path& home, std::vector<std::string> files,
                bool project) {
    Target target{folder, labelOf(folder, home), project, {}, {}};
    // A folder holds few kinds of file, so each extension is looked up once.
    std::set<std::string> extensions;
    for (const std::string& name : files) {
        extensions.insert(lowerCasedExtension(name));
    }
    for (const std::string& extension : extensions) {
        target.kinds.insert(kindForExtension(extension));
    }
    if (!project) {
        if (files.size() > maxSiblingNames) {
            files.erase(files.begin() + static_cast<std::ptrdiff_t>(maxSiblingNames), files.end());
            files.shrink_to_fit();
        }
        target.siblingNames = std::move(files);
    }
    return target;
}

// A target's own files after its sibling names, then those below the walk's depth: breadth
// first, so that a cap keeps the nearest. Every folder read costs a listing, so folders count
// against the cap too.
struct Walk;
std::optional<Listing> listFor(const fs::path& folder, bool isRoot, const Walk& state);

std::vector<std::string> moreNames(const Listing& listing, bool deeper, std::size_t cap,
                                   const Walk& state) {
    std::vector<std::string> names;
    std::size_t count = std::min({maxSiblingNames, listing.files.size(), cap});
    for (std::size_t i = count; i < listing.files.size() && count < cap; ++i, ++count) {
        names.push_back(listing.files[i]);
    }
    std::deque<fs::path> pending;
    if (deeper) {
        pending.assign(listing.subfolders.begin(), listing.subfolders.end());
    }
    for (std::size_t read = 0; !pending.empty() && count < cap && read < cap; ++read) {
        const auto below = listFor(pending.front(), false, state);
        pending.pop_front();
        if (!below || below->hasProjectMarker) {
            continue;
        }
        for (auto name = below->files.begin(); name != below->files.end() && count < cap;
             ++name, ++count) {
            names.push_back(*name);
        }
        pending.insert(pending.end(), below->subfolders.begin(), below->subfolders.end());
    }
    return names;
}

struct Walk {
    const fs::path& home;
    const TargetFinder::FolderRead& folderRead;
    TargetFinder::TargetsWithNames& found;
    std::size_t namesPerTarget = 0; // no names gathered when 0
    // Roots may lie inside one another (a folder chosen inside another one): a folder reached
    // twice is offered once, where it was met first, and still walked for what lies deeper.
    std::set<fs::path> offered;
};

// The listing, told to whoever follows the walk.
std::optional<Listing> listFor(const fs::path& folder, bool isRoot, const Walk& state) {
    auto listing = list(folder);
    if (state.folderRead) {
        state.folderRead({folder, isRoot,
                          listing ? std::optional(digestOf(*listing, isRoot)) : std::nullopt});
    }
    return listing;
}

void walk(const fs::path& folder, int depth, bool isRoot, Walk& state) {
    auto listing = listFor(folder, isRoot, state);
    if (!listing) {
        return;
    }
    const bool project = !isRoot && listing->hasProjectMarker;
    if (!isRoot && state.offered.insert(folder).second) {
        if (state.namesPerTarget > 0) {
            state.found.moreNames.push_back(project ? std::vector<std::string>{}
                                                    : moreNames(*listing, depth == 0,
                                                                state.namesPerTarget, state));
        }
        state.found.targets.push_back(
            targetOf(folder, state.home, std::move(listing->files), project));
    }
    if (depth > 0 && !project) {
        for (const fs::path& subfolder : listing->subfolders) {
            walk(subfolder, depth - 1, false, state);
        }
    }
}

TargetFinder::TargetsWithNames findAll(const std::vector<Root>& roots, const fs::path& home,
                                       std::size_t namesPerTarget,
                                       const TargetFinder::FolderRead& folderRead) {
    TargetFinder::TargetsWithNames found;
    Walk state{home, folderRead, found, namesPerTarget, {}};
    for (const Root& root : roots) {
        walk(root.folder, root.depth, true, state);
    }
    return found;
}

} // namespace

std::optional<std::uint64_t> TargetFinder::digestOf(const fs::path& folder, bool asRoot) {
    const auto listing = list(folder);
    return listing ? std::optional(vesk::digestOf(*listing, asRoot)) : std::nullopt;
}

std::vector<Target> TargetFinder::find(const std::vector<Root>& roots, const fs::path& home,
                                       const FolderRead& folderRead) {
    return findAll(roots, home, 0, folderRead).targets;
}

TargetFinder::TargetsWithNames TargetFinder::findWithNames(const std::vector<Root>& roots,
                                                           const fs::path& home,
                                                           std::size_t namesPerTarget,
                                                           const FolderRead& folderRead) {
    return findAll(roots, home, std::max<std::size_t>(namesPerTarget, 1), folderRead);
}

} // namespace vesk
