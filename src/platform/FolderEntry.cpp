#include "platform/FolderEntry.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>

namespace vesk::platform {

namespace {

using Type = FolderEntry::Type;

struct CloseDir {
    void operator()(DIR* dir) const { closedir(dir); }
};

Type typeOfMode(mode_t mode) {
    if (S_ISDIR(mode)) {
        return Type::folder;
    }
    return S_ISLNK(mode) ? Type::link : Type::other;
}

// Some file systems leave the type to a stat call of its own.
Type typeOf(DIR* dir, const dirent& entry) {
    switch (entry.d_type) {
    case DT_DIR:
        return Type::folder;
    case DT_LNK:
        return Type::link;
    case DT_UNKNOWN: {
        struct stat status {};
        if (fstatat(dirfd(dir), entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            return Type::other;
        }
        return typeOfMode(status.st_mode);
    }
    default:
        return Type::other;
    }
}

// Calls `visit(dir, entry)` for every entry of the folder but "." and ".."; false when the
// folder could not be listed to its end.
template <class Visit> bool eachEntry(const std::filesystem::path& folder, const Visit& visit) {
    const std::unique_ptr<DIR, CloseDir> dir(opendir(folder.c_str()));
    if (!dir) {
        return false;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (entry == nullptr) {
            // The end of the listing leaves errno alone; a failure sets it.
            return errno == 0;
        }
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            visit(dir.get(), *entry);
        }
    }
}

} // namespace

std::optional<std::vector<FolderEntry>> folderEntries(const std::filesystem::path& folder) {
    std::vector<FolderEntry> entries;
    const bool listed = eachEntry(folder, [&](DIR* dir, const dirent& entry) {
        entries.push_back({std::string(entry.d_name), typeOf(dir, entry)});
    });
    return listed ? std::optional(std::move(entries)) : std::nullopt;
}

void forEachEntryStatus(
    const std::filesystem::path& folder,
    const std::function<void(std::string_view name, std::optional<EntryStatus> status)>& visit) {
    (void)eachEntry(folder, [&](DIR* dir, const dirent& entry) {
        visit(entry.d_name, entryStatusAt(dirfd(dir), entry.d_name));
    });
}

} // namespace vesk::platform
