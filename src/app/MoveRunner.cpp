#include "app/MoveRunner.h"

#include <QtConcurrent/QtConcurrentRun>

namespace vesk {

std::optional<Batch> MoveRunner::newestOf(const std::vector<Batch>& history) {
    if (history.empty()) {
        return std::nullopt;
    }
    return history.back();
}

MoveRunner::MoveRunner(std::filesystem::path historyFile, QObject* parent)
    : QObject(parent), mover_(std::move(historyFile)) {
    pool_.setMaxThreadCount(1);
    mover_.setProgress([this](std::size_t done, std::size_t total) { report(done, total); });
}

// On the worker: only the newest count is kept, and at most one report waits in the queue, so
// a tidy of thousands of small files does not flood the interface.
void MoveRunner::report(std::size_t done, std::size_t total) {
    latest_ = (static_cast<std::uint64_t>(done) << 32U) | (total & 0xFFFFFFFFU);
    if (reportQueued_.exchange(true)) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            reportQueued_ = false;
            const std::uint64_t latest = latest_;
            if (running_) {
                emit progressed(static_cast<int>(latest >> 32U),
                                static_cast<int>(latest & 0xFFFFFFFFU));
            }
        },
        Qt::QueuedConnection);
}

MoveRunner::~MoveRunner() {
    stop_.request_stop();
    operation_.waitForFinished();
}

std::optional<Batch> MoveRunner::newestBatch() const {
    return newestOf(mover_.history());
}

void MoveRunner::setBeforeMove(std::function<void(const std::filesystem::path&)> hook) {
    mover_.setBeforeMove(std::move(hook));
}

// `work` runs on the worker with the stop token and returns the function that reports its
// result back on this object's thread.
template <class Work> void MoveRunner::run(Work work) {
    running_ = true;
    emit runningChanged(true);
    stop_ = std::stop_source();
    operation_ = QtConcurrent::run(
        &pool_, [this, work = std::move(work), stop = stop_.get_token()]() mutable {
            auto report = work(stop);
            QMetaObject::invokeMethod(
                this,
                [this, report = std::move(report)] {
                    running_ = false;
                    report();
                    emit runningChanged(false);
                },
                Qt::QueuedConnection);
        });
}

bool MoveRunner::apply(Moves moves) {
    if (running_) {
        return false;
    }
    run([this, moves = std::move(moves)](std::stop_token stop) {
        ApplyResult result = mover_.apply(moves, std::move(stop));
        auto newest = newestOf(mover_.history());
        return [this, result = std::move(result), newest = std::move(newest)] {
            emit applied(result, newest);
        };
    });
    return true;
}

bool MoveRunner::undo() {
    if (running_) {
        return false;
    }
    run([this](std::stop_token stop) {
        UndoResult result = mover_.undoLast(std::move(stop));
        auto newest = newestOf(mover_.history());
        return [this, result = std::move(result), newest = std::move(newest)] {
            emit undone(result, newest);
        };
    });
    return true;
}

} // namespace vesk
