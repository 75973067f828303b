#include "platform/Trash.h"

#include "platform/EntryStatus.h"
#include "platform/FileDescriptor.h"
#include "platform/FileOps.h"

#include <QByteArray>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk::platform {

namespace {

namespace fs = std::filesystem;

std::error_code lastError() {
    return {errno, std::generic_category()};
}

fs::path homeTrash() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return fs::path(data) / "Trash";
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : "/") / ".local/share/Trash";
}

std::optional<std::uint64_t> deviceOf(const fs::path& path, bool followLinks) {
    struct stat status {};
    const int result = followLinks ? ::stat(path.c_str(), &status) : ::lstat(path.c_str(), &status);
    return result == 0 ? std::optional<std::uint64_t>(status.st_dev) : std::nullopt;
}

// The device of the first folder that exists on the way up to `path`.
std::optional<std::uint64_t> deviceAbove(fs::path path) {
    for (;; path = path.parent_path()) {
        if (const auto device = deviceOf(path, true)) {
            return device;
        }
        if (path == path.parent_path()) {
            return std::nullopt;
        }
    }
}

// The top folder of the file system that holds `folder`.
std::optional<fs::path> topOf(const fs::path& folder, std::uint64_t device) {
    std::error_code ec;
    fs::path top = fs::canonical(folder, ec);
    if (ec) {
        return std::nullopt;
    }
    while (top != top.parent_path() && deviceOf(top.parent_path(), true) == device) {
        top = top.parent_path();
    }
    return top;
}

// Makes `dir` when missing, then requires a real folder of this user's, never a link.
std::error_code ownFolder(const fs::path& dir, std::vector<fs::path>& made) {
    if (::mkdir(dir.c_str(), 0700) == 0) {
        made.push_back(dir);
    } else if (errno != EEXIST) {
        return lastError();
    }
    struct stat status {};
    if (::lstat(dir.c_str(), &status) != 0) {
        return lastError();
    }
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::getuid()) {
        return std::make_error_code(std::errc::permission_denied);
    }
    return {};
}

// "$top/.Trash/$uid" when the administrator made a shared ".Trash" (sticky, not a link), else
// "$top/.Trash-$uid".
std::error_code volumeTrash(const fs::path& top, fs::path& trash, std::vector<fs::path>& made) {
    const std::string uid = std::to_string(::getuid());
    struct stat shared {};
    if (::lstat((top / ".Trash").c_str(), &shared) == 0 && S_ISDIR(shared.st_mode) &&
        (shared.st_mode & S_ISVTX) != 0) {
        trash = top / ".Trash" / uid;
        if (!ownFolder(trash, made)) {
            return {};
        }
    }
    trash = top / (".Trash-" + uid);
    return ownFolder(trash, made);
}

void removeMadeFolders(const std::vector<fs::path>& made) {
    for (auto dir = made.rbegin(); dir != made.rend(); ++dir) {
        (void)::rmdir(dir->c_str());
    }
}

std::error_code findTrash(const fs::path& entry, fs::path& trash, std::vector<fs::path>& made) {
    const auto device = deviceOf(entry, false);
    if (!device) {
        return lastError();
    }
    std::error_code ec;
    if (deviceAbove(homeTrash()) == device) {
        trash = homeTrash();
        fs::create_directories(trash, ec);
    } else if (const auto top = topOf(fs::absolute(entry, ec).parent_path(), *device)) {
        ec = volumeTrash(*top, trash, made);
    } else {
        ec = std::make_error_code(std::errc::no_such_device);
    }
    for (const char* part : {"files", "info"}) {
        if (!ec) {
            ec = ownFolder(trash / part, made);
        }
    }
    if (ec) {
        removeMadeFolders(made);
    }
    return ec;
}

fs::path infoFileOf(const fs::path& location) {
    return location.parent_path().parent_path() / "info" /
           (location.filename().native() + ".trashinfo");
}

// "name", then "name 2", "name 3", … with the extension kept at the end.
std::string candidate(const std::string& name, int n) {
    if (n == 1) {
        return name;
    }
    const std::string_view extension = pathExtension(name);
    std::string result(deletingPathExtension(name));
    result.append(" ").append(std::to_string(n));
    if (!extension.empty()) {
        result.append(".").append(extension);
    }
    return result;
}

// The original path percent-encoded, as the freedesktop.org format wants it: a newline, "%",
// "#", a space or a non-ASCII name would otherwise keep a file manager from restoring the item.
std::string infoText(const fs::path& entry) {
    std::error_code ec;
    const fs::path path = fs::absolute(entry, ec).lexically_normal();
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char date[32];
    const std::size_t length = std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &parts);
    return "[Trash Info]\nPath=" + QByteArray(path.c_str()).toPercentEncoding("/").toStdString() +
           "\nDeletionDate=" + std::string(date, length) + "\n";
}

// Creating the info file claims the name: whoever trashes next finds it taken.
std::error_code claimName(const fs::path& trash, const fs::path& entry, fs::path& location) {
    const std::string text = infoText(entry);
    const std::string name = entry.filename().native();
    for (int n = 1;; ++n) {
        location = trash / "files" / candidate(name, n);
        const fs::path info = infoFileOf(location);
        const FileDescriptor fd(
            ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.valid()) {
            if (errno == EEXIST) {
                continue;
            }
            return lastError();
        }
        struct stat taken {};
        if (::lstat(location.c_str(), &taken) == 0) {
            (void)::unlink(info.c_str()); // an item without its info file
            continue;
        }
        if (::write(fd.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            const std::error_code ec = lastError();
            (void)::unlink(info.c_str());
            return ec ? ec : std::make_error_code(std::errc::no_space_on_device);
        }
        return {};
    }
}

} // namespace

std::optional<TrashSlot> reserveTrashSlot(const fs::path& entry, std::string& error) {
    TrashSlot slot;
    fs::path trash;
    std::error_code ec = findTrash(entry, trash, slot.madeFolders);
    if (!ec && (ec = claimName(trash, entry, slot.location))) {
        removeMadeFolders(slot.madeFolders);
    }
    if (ec) {
        error = ec.message();
        return std::nullopt;
    }
    return slot;
}

std::error_code fillTrashSlot(const fs::path& entry, const TrashSlot& slot) {
    std::error_code ec;
    const auto files = OpenFolder::open(slot.location.parent_path(), ec);
    if (files) {
        ec = renameInto(entry, *files, slot.location.filename().native());
    }
    if (ec) {
        releaseTrashSlot(slot);
    }
    return ec;
}

void releaseTrashSlot(const TrashSlot& slot) {
    (void)::unlink(infoFileOf(slot.location).c_str());
    removeMadeFolders(slot.madeFolders);
}

TrashResult moveToTrash(const fs::path& entry) {
    TrashResult result;
    const auto slot = reserveTrashSlot(entry, result.error);
    if (!slot) {
        return result;
    }
    if (const std::error_code ec = fillTrashSlot(entry, *slot)) {
        result.error = ec.message();
        return result;
    }
    result.location = slot->location;
    return result;
}

bool isInTrash(const fs::path& location) {
    if (!location.is_absolute() || location.parent_path().filename() != "files") {
        return false;
    }
    // ~/.local/share/Trash, <volume>/.Trash-<uid> or <volume>/.Trash/<uid>
    const fs::path trash = location.parent_path().parent_path();
    const std::string name = trash.filename().string();
    return name == "Trash" || name.starts_with(".Trash-") ||
           trash.parent_path().filename() == ".Trash";
}

void forgetTrashInfo(const fs::path& location) {
    if (isInTrash(location)) {
        (void)::unlink(infoFileOf(location).c_str());
    }
}

} // namespace vesk::platform
