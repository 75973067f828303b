#pragma once

#include "app/FolderSnapshot.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <optional>
#include <vector>

namespace vesk {

// Watches the source folders themselves (entries added, removed or renamed, nothing inside
// subfolders) and reports once the folders have been quiet for the delay: a download writing
// several files, or a tidy moving many out, gives one report after the last change.
//
// Vesk's own work is not news: a change that a scan has already read, or that a tidy made,
// brings no report (as an editor ignores the writes it makes itself). The folders' contents are
// compared, not the events counted, so a file that arrives meanwhile is still reported.
class SourceWatcher : public QObject {
    Q_OBJECT

public:
    explicit SourceWatcher(std::chrono::milliseconds delay, QObject* parent = nullptr);

    // Replaces the watched set. A folder that is missing, not a folder or can't be read is
    // skipped; nothing retries it until the next call.
    void watch(const std::vector<std::filesystem::path>& folders);
    [[nodiscard]] std::vector<std::filesystem::path> watched() const;

    // A scan starts now and reads the folders as they are: what they hold now needs no report.
    void scanStarting();
    // Vesk moves files; no report until it is done.
    void ownMovesStarting();
    // The moves are done; `left` are the entries they took out of the watched folders.
    void ownMovesDone(const std::vector<std::filesystem::path>& left);

signals:
    // The watched folders changed, and have been quiet for the delay since.
    void settled();

private:
    void quietened();

    QFileSystemWatcher watcher_;
    QTimer quiet_;
    std::optional<FolderSnapshot> known_; // what the folders held as far as Vesk knows
    bool moving_ = false;
    bool heldBack_ = false; // the folders quietened during Vesk's moves
};

} // namespace vesk
