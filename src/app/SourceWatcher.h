#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <vector>

namespace vesk {

// Watches the source folders themselves (entries added, removed or renamed, nothing inside
// subfolders) and reports once the folders have been quiet for the delay: a download writing
// several files, or a tidy moving many out, gives one report after the last change.
class SourceWatcher : public QObject {
    Q_OBJECT

public:
    explicit SourceWatcher(std::chrono::milliseconds delay, QObject* parent = nullptr);

    // Replaces the watched set. A folder that is missing, not a folder or can't be read is
    // skipped; nothing retries it until the next call.
    void watch(const std::vector<std::filesystem::path>& folders);
    [[nodiscard]] std::vector<std::filesystem::path> watched() const;

signals:
    // The watched folders changed and have been quiet for the delay since.
    void settled();

private:
    QFileSystemWatcher watcher_;
    QTimer quiet_;
};

} // namespace vesk
