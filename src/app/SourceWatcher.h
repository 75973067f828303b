#pragma once

#include "app/FolderSnapshot.h"
#include "platform/FolderWatch.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace vesk {

// A source folder that is not watched, and why.
struct WatchProblem {
    std::filesystem::path folder;
    platform::WatchRefusal reason;

    bool operator==(const WatchProblem&) const = default;
};

// Watches the source folders themselves (entries added, removed or renamed, nothing inside
// subfolders) and reports once the folders have been quiet for the delay: a download writing
// several files, or a tidy moving many out, gives one report after the last change.
//
// Vesk's own work is not news: a change that a scan has already read, or that a tidy made,
// brings no report (as an editor ignores the writes it makes itself). The folders' contents are
// compared, not the events counted, so a file that arrives meanwhile is still reported.
//
// A watch that is lost (the folder deleted, moved away or unmounted) is taken up again when the
// folder is back: its nearest existing parent is watched meanwhile, and the folder is tried
// again after a growing pause, for a volume mounted over a folder that never changed. A folder
// the system refuses to watch (the limit of watches) is looked at on a timer instead. With
// every folder watched, no timer runs.
class SourceWatcher : public QObject {
    Q_OBJECT

public:
    struct Timing {
        std::chrono::milliseconds quiet;                      // a burst of changes ends
        std::chrono::milliseconds poll{std::chrono::minutes(1)}; // an unwatched folder is read
    };

    explicit SourceWatcher(Timing timing, QObject* parent = nullptr);

    // Replaces the watched set.
    void watch(const std::vector<std::filesystem::path>& folders);
    // The folders that are not watched now, in the order given to watch.
    [[nodiscard]] const std::vector<WatchProblem>& problems() const { return problems_; }
    // Why a folder isn't watched and what Vesk does about it, for the person.
    [[nodiscard]] static QString describe(platform::WatchRefusal reason);

    // A scan starts now and reads the folders as they are: what they hold now needs no report.
    void scanStarting();
    // Vesk moves files; no report until it is done.
    void ownMovesStarting();
    // The moves are done; `left` are the entries they took out of the watched folders.
    void ownMovesDone(const std::vector<std::filesystem::path>& left);

signals:
    // The watched folders changed, and have been quiet for the delay since.
    void settled();
    void problemsChanged();

private:
    void changed(const QString& path);
    // Watches every folder that can be watched again, and the parents of missing ones.
    void recover();
    void retryLater();
    void quietened();

    Timing timing_;
    std::vector<std::filesystem::path> folders_;
    std::vector<WatchProblem> problems_;
    QFileSystemWatcher watcher_;
    QStringList parents_; // watched for a missing folder to come back
    // Which folder each watch was set on.
    std::map<QString, std::optional<platform::FolderIdentity>> identities_;
    QTimer quiet_;
    QTimer retry_;
    std::chrono::milliseconds pause_{0}; // before the next retry; doubles up to a limit
    std::optional<FolderSnapshot> known_; // what the folders held as far as Vesk knows
    std::optional<FolderSnapshot> settling_; // while `settled` is being reported
    bool moving_ = false;
    bool heldBack_ = false; // the folders quietened during Vesk's moves
};

} // namespace vesk
