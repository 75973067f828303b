#pragma once

#include "core/moves/Batch.h"
#include "core/moves/MoveFailure.h"
#include "core/moves/MoveHistory.h"
#include "core/moves/Recovery.h"
#include "core/plan/Destination.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

class MoveJournal;

struct ApplyResult {
    Batch batch; // every file moved, also those a failed history write leaves without a way back
    std::vector<MoveFailure> failures;
    std::vector<std::filesystem::path> inPlace{}; // already in their destination folder: left alone
    HistoryStatus historyStatus{};                // a write error: this batch cannot be undone
    std::vector<MoveFailure> recovered{}; // what an earlier tidy or undo, killed, left behind
};

struct UndoResult {
    int restored = 0;
    std::vector<MoveFailure> failures; // their records stay in the history, to be tried again
    std::vector<MoveRecord> renamed{}; // back in their folder under a new name, given as `moved`
    std::size_t remaining = 0;         // records the history keeps of the batch, for another try
    HistoryStatus historyStatus{};
    std::vector<MoveFailure> recovered{};
};

// Carries out moves and takes back the newest batch of them. Never replaces an existing entry.
//
// The history exists only in its file, shared with every other mover on it (the application's
// and vesk-cli's): each change re-reads the file under its lock and writes it within that lock,
// and history() reads it anew. A tidy or undo in progress writes each move to a journal of its
// own beside the file before making it, so that one killed half-way is settled and recorded by
// whoever comes next (recover()). The mover holds no state that its operations change: one
// apply or undo may run on a worker thread while history() is called on another. Operations
// themselves run one at a time, and the beforeMove hook is set before any of them starts.
class FileMover {
public:
    using Moves = std::vector<std::pair<std::filesystem::path, Destination>>;

    // Without a history file nothing is remembered and there is nothing to undo.
    explicit FileMover(std::optional<std::filesystem::path> historyFile = std::nullopt);

    // Moves in the given order, first recovering what a killed operation left. A stop request
    // is looked at between files: the file in progress always finishes, and what was moved
    // until then is recorded. A destination with a trail is held to it.
    [[nodiscard]] ApplyResult apply(const Moves& moves, std::stop_token stop = {});
    // Takes back the newest batch in the history file, newest file first. Files that could not
    // be restored keep their records, so undo can be tried again; a stop request is looked at
    // between files, the same way.
    [[nodiscard]] UndoResult undoLast(std::stop_token stop = {});
    // Settles and records what tidies and undoes killed half-way left behind; apply and undo do
    // it first, other readers of the history call it themselves.
    [[nodiscard]] Recovery recover();

    // As the history file holds it now, oldest first; batches of other movers included.
    [[nodiscard]] std::vector<Batch> history() const;

    // Called with the chosen free name just before each move; tests use it to stage a clash.
    void setBeforeMove(std::function<void(const std::filesystem::path&)> hook) {
        beforeMove_ = std::move(hook);
    }
    // Called after each file of an apply or undo with how many of its files are done, on the
    // thread that runs it.
    using Progress = std::function<void(std::size_t done, std::size_t total)>;
    void setProgress(Progress progress) { progress_ = std::move(progress); }

private:
    [[nodiscard]] std::optional<MoveJournal> beginJournal(bool undo, const Batch& batch,
                                                          HistoryStatus& status) const;

    std::optional<std::filesystem::path> historyFile_;
    std::function<void(const std::filesystem::path&)> beforeMove_;
    Progress progress_;
};

} // namespace vesk
