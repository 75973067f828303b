#include "app/SourceWatcher.h"

#include "app/PathBoundary.h"

#include <QFileInfo>

#include <algorithm>

namespace vesk {

namespace {

using platform::WatchRefusal;

constexpr std::chrono::milliseconds firstPause{1000};
constexpr std::chrono::milliseconds longestPause = std::chrono::minutes(5);

// There, but the system won't watch it: only reading it now and then shows what it holds.
bool needsPolling(const WatchProblem& problem) {
    return problem.reason == WatchRefusal::limit || problem.reason == WatchRefusal::other;
}

// The nearest folder above `folder` that exists; empty when none does.
QString nearestParent(const std::filesystem::path& folder) {
    for (auto parent = folder.parent_path(); !parent.empty(); parent = parent.parent_path()) {
        if (const QString path = pathToQt(parent); QFileInfo(path).isDir()) {
            return path;
        }
        if (parent == parent.root_path()) {
            break;
        }
    }
    return {};
}

} // namespace

SourceWatcher::SourceWatcher(Timing timing, QObject* parent) : QObject(parent), timing_(timing) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(timing_.quiet);
    // A precise timer: the delay is short for tests and should not be stretched to a second.
    quiet_.setTimerType(Qt::PreciseTimer);
    retry_.setSingleShot(true);
    connect(&quiet_, &QTimer::timeout, this, &SourceWatcher::quietened);
    connect(&retry_, &QTimer::timeout, this, [this] {
        recover();
        if (std::any_of(problems_.begin(), problems_.end(), needsPolling)) {
            quiet_.start(); // reads the folders and reports only when they changed
        }
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &SourceWatcher::changed);
}

QString SourceWatcher::describe(WatchRefusal reason) {
    switch (reason) {
    case WatchRefusal::missing:
        return tr("Missing. Vesk watches for it to come back.");
    case WatchRefusal::notFolder:
        return tr("Not a folder.");
    case WatchRefusal::noAccess:
        return tr("Vesk isn't allowed to read it.");
    case WatchRefusal::limit:
        return tr("The system's limit of watched folders is reached. Vesk looks at it every "
                  "minute instead.");
    case WatchRefusal::other:
        break;
    }
    return tr("The system can't watch it. Vesk looks at it every minute instead.");
}

void SourceWatcher::watch(const std::vector<std::filesystem::path>& folders) {
    if (const QStringList current = watcher_.directories(); !current.isEmpty()) {
        watcher_.removePaths(current);
    }
    parents_.clear();
    identities_.clear();
    folders_ = folders;
    known_.reset();
    recover();
    quiet_.stop(); // the folders were not seen before, so none came back
}

void SourceWatcher::changed(const QString& path) {
    // Every change of a source restarts the wait, so only the last change of a burst counts;
    // a lost watch is such a change too (the folder's entries are gone).
    if (!parents_.contains(path)) {
        quiet_.start();
    }
    recover();
}

void SourceWatcher::recover() {
    if (!parents_.isEmpty()) {
        watcher_.removePaths(parents_);
        parents_.clear();
    }
    std::vector<WatchProblem> problems;
    bool regained = false;
    for (const auto& folder : folders_) {
        const QString path = pathToQt(folder);
        if (watcher_.directories().contains(path)) {
            if (platform::folderIdentity(folder) == identities_[path]) {
                continue;
            }
            // Moved away or replaced: the watch went with the old folder.
            watcher_.removePath(path);
        }
        const QFileInfo info(path);
        std::optional<WatchRefusal> refusal;
        if (!info.exists()) {
            refusal = WatchRefusal::missing;
        } else if (!info.isDir()) {
            refusal = WatchRefusal::notFolder;
        } else if (!watcher_.addPath(path)) {
            refusal = platform::watchRefusal(folder).value_or(WatchRefusal::other);
        }
        if (!refusal) {
            identities_[path] = platform::folderIdentity(folder);
            regained = true;
            continue;
        }
        problems.push_back({folder, *refusal});
        if (*refusal == WatchRefusal::missing) {
            const QString parent = nearestParent(folder);
            if (!parent.isEmpty() && !parents_.contains(parent) &&
                !watcher_.directories().contains(parent)) {
                parents_ << parent;
            }
        }
    }
    if (!parents_.isEmpty()) {
        // A parent that can't be watched either is left to the retries.
        for (const QString& refused : watcher_.addPaths(parents_)) {
            parents_.removeAll(refused);
        }
    }
    if (problems != problems_) {
        problems_ = std::move(problems);
        pause_ = firstPause;
        retry_.stop();
        emit problemsChanged();
    }
    retryLater();
    if (regained) {
        quiet_.start();
    }
}

void SourceWatcher::retryLater() {
    if (problems_.empty()) {
        retry_.stop();
        return;
    }
    if (retry_.isActive()) {
        return;
    }
    const bool polling = std::any_of(problems_.begin(), problems_.end(), needsPolling);
    retry_.start(polling ? std::min(pause_, timing_.poll) : pause_);
    pause_ = std::min(pause_ * 2, longestPause);
}

void SourceWatcher::scanStarting() {
    recover(); // a folder replaced without a word to its watch is caught here at the latest
    // The listing that found the change is what this scan reads, when the scan is its answer.
    known_ = settling_ ? std::move(*settling_) : FolderSnapshot::of(folders_);
    settling_.reset();
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
    FolderSnapshot now = FolderSnapshot::of(folders_);
    if (known_ && now == *known_) {
        return;
    }
    settling_ = std::move(now);
    emit settled();
    settling_.reset();
}

} // namespace vesk
