#pragma once

#include "core/moves/Batch.h"
#include "core/plan/Destination.h"
#include "core/util/FreePath.h"
#include "core/moves/MoveHistory.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

struct MoveFailure {
    std::filesystem::path file;
    std::string message;

    bool operator==(const MoveFailure&) const = default;
};

struct ApplyResult {
    Batch batch; // every file moved, also those a failed history write leaves without a way back
    std::vector<MoveFailure> failures;
    std::vector<std::filesystem::path> inPlace{}; // already in their destination folder: left alone
    HistoryStatus historyStatus{};                // a write error: this batch cannot be undone
};

struct UndoResult {
    int restored = 0;
    std::vector<MoveFailure> failures; // their records stay in the history, to be tried again
    std::vector<MoveRecord> renamed{}; // back in their folder under a new name, given as `moved`
    std::size_t remaining = 0;         // records the history keeps of the batch, for another try
    HistoryStatus historyStatus{};
};

// Carries out moves and takes back the newest batch of them. Never replaces an existing entry.
//
// The history exists only in its file, shared with every other mover on it (the application's
// and vesk-cli's): each change re-reads the file under its lock and writes it within that lock,
// and history() reads it anew. So the mover holds no state that its operations change: one
// apply or undo may run on a worker thread while history() is called on another. Operations
// themselves run one at a time, and the beforeMove hook is set before any of them starts.
class FileMover {
public:
    static constexpr std::size_t historyLimit = 20;

    // Without a history file nothing is remembered and there is nothing to undo.
    explicit FileMover(std::optional<std::filesystem::path> historyFile = std::nullopt);

    // Moves in the given order. The history is written as the batch goes, so a tidy killed
    // half-way can still be undone up to where it got. A stop request is looked at between
    // files: the file in progress always finishes, and what was moved until then is recorded.
    [[nodiscard]] ApplyResult
    apply(const std::vector<std::pair<std::filesystem::path, Destination>>& moves,
          std::stop_token stop = {});
    // Takes back the newest batch in the history file, newest file first. Files that could not
    // be restored keep their records, so undo can be tried again; a stop request is looked at
    // between files, the same way.
    [[nodiscard]] UndoResult undoLast(std::stop_token stop = {});

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
    // How much of the batch in progress the history file already holds.
    struct Written {
        std::size_t records = 0;
        std::size_t folders = 0;
    };

    void moveInto(const std::filesystem::path& source, const Destination& destination,
                  ApplyResult& result);
    [[nodiscard]] std::error_code moveToFreeName(const std::filesystem::path& from,
                                                 const std::filesystem::path& wanted,
                                                 std::filesystem::path& landed);
    void writeProgress(ApplyResult& result, Written& written) const;
    // True when the record is done with: its file is back, or no later try could find it.
    [[nodiscard]] bool restore(const MoveRecord& record, UndoResult& result);

    std::optional<std::filesystem::path> historyFile_;
    std::function<void(const std::filesystem::path&)> beforeMove_;
    Progress progress_;
};

} // namespace vesk
