#pragma once

#include "core/moves/FileMover.h"

#include <QFuture>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <cstdint>

#include <filesystem>
#include <optional>
#include <stop_token>
#include <utility>
#include <vector>

namespace vesk {

// Runs the mover's apply and undo on a worker thread, one at a time, so a long tidy never
// freezes the interface. A request while one runs is refused, not queued.
class MoveRunner : public QObject {
    Q_OBJECT

public:
    using Moves = std::vector<std::pair<std::filesystem::path, Destination>>;

    explicit MoveRunner(std::filesystem::path historyFile, QObject* parent = nullptr);
    // Lets the file being moved finish and its record be written, then stops.
    ~MoveRunner() override;
    MoveRunner(const MoveRunner&) = delete;
    MoveRunner& operator=(const MoveRunner&) = delete;

    // False when an operation is still running.
    bool apply(Moves moves);
    bool undo();
    [[nodiscard]] bool isRunning() const { return running_; }
    // Settles what a killed tidy or undo left; only while no operation runs.
    [[nodiscard]] Recovery recover() { return mover_.recover(); }
    // The newest batch in the history file, also while an operation runs.
    [[nodiscard]] std::optional<Batch> newestBatch() const;
    [[nodiscard]] static std::optional<Batch> newestOf(const std::vector<Batch>& history);
    // The whole history file, oldest batch first.
    [[nodiscard]] std::vector<Batch> history() const { return mover_.history(); }

    // Called with the chosen name just before each move, on the worker thread; tests use it to
    // slow a move down or stage a clash.
    void setBeforeMove(std::function<void(const std::filesystem::path&)> hook);

signals:
    void runningChanged(bool running);
    // How far the operation has got; reports that come faster than they are shown merge.
    void progressed(int done, int total);
    void applied(const vesk::ApplyResult& result, const std::optional<vesk::Batch>& newest);
    void undone(const vesk::UndoResult& result, const std::optional<vesk::Batch>& newest);

private:
    template <class Work> void run(Work work);
    void report(std::size_t done, std::size_t total);

    FileMover mover_;
    QThreadPool pool_;
    QFuture<void> operation_;
    std::stop_source stop_;
    bool running_ = false;
    std::atomic<std::uint64_t> latest_{0}; // done in the high half, total in the low half
    std::atomic<bool> reportQueued_{false};
};

} // namespace vesk
