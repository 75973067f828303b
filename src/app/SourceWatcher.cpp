#include "app/SourceWatcher.h"

#include "app/PathBoundary.h"

#include <QFileInfo>

namespace vesk {

SourceWatcher::SourceWatcher(std::chrono::milliseconds delay, QObject* parent) : QObject(parent) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(delay);
    // A precise timer: the delay is short for tests and should not be stretched to a second.
    quiet_.setTimerType(Qt::PreciseTimer);
    connect(&quiet_, &QTimer::timeout, this, &SourceWatcher::quietened);
    // Every change restarts the wait, so only the last change of a burst counts.
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { quiet_.start(); });
}

void SourceWatcher::watch(const std::vector<std::filesystem::path>& folders) {
    if (const QStringList current = watcher_.directories(); !current.isEmpty()) {
        watcher_.removePaths(current);
    }
    for (const auto& folder : folders) {
        const QString path = pathToQt(folder);
        const QFileInfo info(path);
        if (info.isDir() && info.isReadable()) {
            watcher_.addPath(path);
        }
    }
    known_.reset();
}

std::vector<std::filesystem::path> SourceWatcher::watched() const {
    std::vector<std::filesystem::path> folders;
    for (const QString& path : watcher_.directories()) {
        folders.push_back(pathFromQt(path));
    }
    return folders;
}

void SourceWatcher::scanStarting() {
    known_ = FolderSnapshot::of(watched());
}

void SourceWatcher::ownMovesStarting() {
    moving_ = true;
}

void SourceWatcher::ownMovesDone(const std::vector<std::filesystem::path>& left) {
    moving_ = false;
    if (known_) {
        known_->remove(left);
    }
    if (heldBack_) {
        heldBack_ = false;
        quiet_.start();
    }
}

void SourceWatcher::quietened() {
    if (moving_) {
        heldBack_ = true;
        return;
    }
    if (known_ && FolderSnapshot::of(watched()) == *known_) {
        return;
    }
    emit settled();
}

} // namespace vesk
