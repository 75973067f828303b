#include "app/FolderAccess.h"

#include "app/AppLocation.h"
#include "app/PathBoundary.h"
#include "app/Settings.h"
#include "core/util/NormalFolder.h"

#include <QSettings>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace vesk {

namespace {

const QString bookmarksKey = storeKey(settings::folderBookmarks.key);

// Linux has no security-scoped bookmarks: starting access to a folder means it can be opened.
bool canOpen(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

bool isSameOrInside(const std::filesystem::path& path, const std::filesystem::path& root) {
    const std::string& text = path.native();
    const std::string& prefix = root.native();
    return text == prefix || (text.size() > prefix.size() && text.starts_with(prefix) &&
                              (prefix.ends_with('/') || text[prefix.size()] == '/'));
}

} // namespace

bool FolderAccess::isSandboxed() {
    static const bool sandboxed = std::getenv("APP_SANDBOX_CONTAINER_ID") != nullptr;
    return sandboxed;
}

FolderAccess::FolderAccess(QString settingsFile, FolderPicker& picker, bool sandboxed)
    : settingsFile_(std::move(settingsFile)), picker_(picker), sandboxed_(sandboxed),
      realHome_(normalFolder(accountHome())) {
    if (!sandboxed_) {
        return;
    }
    std::vector<std::filesystem::path> kept;
    for (const auto& folder : stored()) {
        if (folder.is_absolute() && canOpen(folder)) {
            granted_.push_back(normalFolder(folder));
            kept.push_back(folder);
        }
    }
    store(kept);
}

bool FolderAccess::allows(const std::filesystem::path& path) const {
    if (!sandboxed_) {
        return true;
    }
    const auto normal = normalFolder(path);
    if (isSameOrInside(normal, realHome_ / "Downloads")) {
        return true;
    }
    return std::any_of(granted_.begin(), granted_.end(), [&](const std::filesystem::path& root) {
        return isSameOrInside(normal, root);
    });
}

void FolderAccess::remember(const std::vector<std::filesystem::path>& folders) {
    if (!sandboxed_) {
        return;
    }
    std::vector<std::filesystem::path> paths = stored();
    for (const auto& folder : folders) {
        const auto normal = normalFolder(folder);
        if (std::find(granted_.begin(), granted_.end(), normal) != granted_.end() ||
            !canOpen(normal)) {
            continue;
        }
        granted_.push_back(normal);
        paths.push_back(normal);
    }
    store(paths);
}

void FolderAccess::requestHome(QObject* context, std::function<void(bool confirmed)> done) {
    FolderPicker::Request request;
    request.startFolder = realHome_;
    request.title = tr("Allow Access to Your Home Folder");
    request.confirmText = tr("Allow");
    request.message = tr("Click Allow to let Vesk tidy and file things in your home folder.");
    picker_.pickFolders(request, context,
                        [this, done = std::move(done)](const std::vector<std::filesystem::path>& picked) {
                            if (!picked.empty()) {
                                remember(picked);
                            }
                            done(!picked.empty());
                        });
}

bool FolderAccess::hasHome() const {
    return !sandboxed_ || std::find(granted_.begin(), granted_.end(), realHome_) != granted_.end();
}

std::vector<std::filesystem::path> FolderAccess::stored() const {
    // Anything that is not a list of paths counts as no grants.
    return pathsFromStored(QSettings(settingsFile_, QSettings::IniFormat).value(bookmarksKey));
}

void FolderAccess::store(const std::vector<std::filesystem::path>& paths) const {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    settings.setValue(bookmarksKey, storedPaths(paths));
    settings.sync();
}

} // namespace vesk
