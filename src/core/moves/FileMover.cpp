#include "core/moves/FileMover.h"

#include "core/moves/EntryIdentity.h"
#include "core/moves/JournaledMoves.h"
#include "core/moves/MoveFolders.h"
#include "core/moves/MoveJournal.h"
#include "core/util/FreePath.h"
#include "core/util/NormalFolder.h"
#include "core/util/Uuid.h"
#include "platform/Trash.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <ranges>
#include <set>

namespace vesk {

namespace {

namespace fs = std::filesystem;

using Code = MoveFailure::Code;

// Folders kept open at once; past this they are opened (and checked) again.
constexpr std::size_t openFolderLimit = 64;

// Why a folder can't be used, told of each file that wanted it.
struct Refusal {
    Code code = Code::system;
    std::string detail;

    [[nodiscard]] MoveFailure of(const fs::path& file) const { return {file, code, detail}; }
};

Refusal refusal(bool changed, Code whenChanged, const std::error_code& ec) {
    return changed ? Refusal{whenChanged, {}} : Refusal{Code::system, ec.message()};
}

// Results by move number, put in order at the end: a copy across file systems finishes after
// the renames that follow it.
template <typename T> class InOrder {
public:
    void add(std::size_t n, T value) { items_.emplace_back(n, std::move(value)); }
    [[nodiscard]] std::vector<T> sorted() {
        std::ranges::stable_sort(items_, {}, &std::pair<std::size_t, T>::first);
        std::vector<T> values;
        for (auto& [n, value] : items_) {
            values.push_back(std::move(value));
        }
        return values;
    }

private:
    std::vector<std::pair<std::size_t, T>> items_;
};

// Each folder is opened, and checked, once per operation: every file for it then lands in the
// very folder that was checked, whatever happens to its path meanwhile.
class OpenFolders {
public:
    using Open = std::function<std::optional<platform::OpenFolder>(Refusal& why)>;

    const platform::OpenFolder* get(const fs::path& folder, const Open& open, Refusal& why) {
        if (const auto found = folders_.find(folder); found != folders_.end()) {
            return &found->second;
        }
        if (folders_.size() >= openFolderLimit) {
            folders_.clear();
        }
        auto opened = open(why);
        return opened ? &folders_.emplace(folder, std::move(*opened)).first->second : nullptr;
    }

private:
    std::map<fs::path, platform::OpenFolder> folders_;
};

class ApplyRun {
public:
    ApplyRun(ApplyResult& result, MoveJournal* journal,
             const JournaledMoves::BeforeMove& beforeMove)
        : result_(result), journal_(journal), steps_(journal, beforeMove) {}

    void move(std::size_t n, const fs::path& source, const Destination& destination) {
        if (!isTaken(source)) {
            failures_.add(n, {source, Code::sourceMissing, {}});
        } else if (destination.type == Destination::Type::trash) {
            take(steps_.trash(n, source));
        } else if (isSameFolder(source.parent_path(), destination.path)) {
            // Moving it would only rename it to "name 2", and again on every tidy.
            result_.inPlace.push_back(source);
        } else if (const platform::OpenFolder* into = open(n, source, destination)) {
            if (auto outcome = steps_.move(n, source, *into, source.filename().native())) {
                take(*outcome);
            }
        }
        if (steps_.groupFull()) {
            settle();
        }
    }

    void finish() {
        settle();
        result_.batch.records = records_.sorted();
        result_.failures = failures_.sorted();
    }

private:
    void settle() {
        for (const JournaledMoves::Outcome& outcome : steps_.settle()) {
            take(outcome);
        }
    }

    void take(const JournaledMoves::Outcome& outcome) {
        if (outcome.landed) {
            records_.add(outcome.n,
                         {outcome.from, *outcome.landed, outcome.identity, std::nullopt});
        } else {
            failures_.add(outcome.n, {outcome.from, outcome.failure, outcome.detail});
        }
    }

    const platform::OpenFolder* open(std::size_t n, const fs::path& source,
                                     const Destination& destination) {
        Refusal refused;
        const platform::OpenFolder* into = folders_.get(
            destination.path,
            [&](Refusal& why) {
                std::vector<fs::path> made;
                bool changed = false;
                std::error_code ec;
                auto folder = openDestination(destination, made, changed, ec);
                for (const fs::path& dir : made) {
                    result_.batch.createdFolders.push_back(dir);
                    if (journal_) {
                        journal_->createdFolder(dir);
                    }
                }
                why = refusal(changed, Code::destinationChanged, ec);
                return folder;
            },
            refused);
        if (!into) {
            failures_.add(n, refused.of(source));
        }
        return into;
    }

    ApplyResult& result_;
    MoveJournal* journal_;
    JournaledMoves steps_;
    OpenFolders folders_;
    InOrder<MoveRecord> records_;
    InOrder<MoveFailure> failures_;
};

// An undo that was interrupted after this file may already have put it back.
bool isBackInPlace(const MoveRecord& record) {
    const auto there = identityOf(record.original);
    return record.identity && there && isSameEntry(*record.identity, *there);
}

// Whatever has taken the moved file's name since is not ours to move. A record without an
// identity (older, or edited by hand) only moves an entry of its name and recorded length.
bool isMovedFile(const MoveRecord& record) {
    const auto now = identityOf(record.moved);
    if (record.identity) {
        return now && isSameEntry(*record.identity, *now);
    }
    return now && isFreeNameOf(record.moved, record.original) &&
           (!record.size || *record.size == now->size);
}

class UndoRun {
public:
    UndoRun(UndoResult& result, MoveJournal* journal, const JournaledMoves::BeforeMove& beforeMove,
            Date since)
        : result_(result), steps_(journal, beforeMove), since_(since) {}

    void restore(std::size_t n, const MoveRecord& record) {
        records_[n] = &record;
        if (!isTaken(record.moved)) {
            if (!isBackInPlace(record)) {
                failures_.add(n, {record.moved, Code::movedMissing, {}});
            }
            settled_.insert(record.moved); // no later try could find it either
            return;
        }
        if (!isMovedFile(record)) {
            failures_.add(n, {record.moved, Code::movedChanged, {}});
            return;
        }
        Refusal refused;
        const platform::OpenFolder* into = nullptr;
        if (isLongStanding(record.moved.parent_path(), refused)) {
            into = folders_.get(
                record.original.parent_path(),
                [&](Refusal& why) {
                    std::vector<fs::path> made;
                    return openFolder(record.original.parent_path(), why, &made);
                },
                refused);
        }
        if (!into) {
            failures_.add(n, refused.of(record.moved));
        } else if (auto outcome =
                       steps_.move(n, record.moved, *into, record.original.filename().native())) {
            take(*outcome);
        }
        if (steps_.groupFull()) {
            settle();
        }
    }

    std::set<fs::path> finish() {
        settle();
        result_.failures = failures_.sorted();
        result_.renamed = renamed_.sorted();
        return std::move(settled_);
    }

private:
    // The folder the file is in now: reached only through links older than the batch. Looked
    // at once per folder and undo, like the folders files go back to.
    bool isLongStanding(const fs::path& folder, Refusal& refused) {
        const auto [checked, added] = sourceFolders_.try_emplace(folder);
        if (Refusal why; added && !openFolder(folder, why, nullptr)) {
            checked->second = why;
        }
        refused = checked->second.value_or(Refusal{});
        return !checked->second;
    }

    // Folders made on the way back are not the batch's to remove.
    std::optional<platform::OpenFolder> openFolder(const fs::path& folder, Refusal& refused,
                                                   std::vector<fs::path>* made) const {
        bool changed = false;
        std::error_code ec;
        auto opened = openSince(folder, since_, made, changed, ec);
        refused = refusal(changed, Code::folderChanged, ec);
        return opened;
    }

    void settle() {
        for (const JournaledMoves::Outcome& outcome : steps_.settle()) {
            take(outcome);
        }
    }

    void take(const JournaledMoves::Outcome& outcome) {
        const MoveRecord& record = *records_.at(outcome.n);
        if (!outcome.landed) {
            failures_.add(outcome.n, {record.moved, outcome.failure, outcome.detail});
            return;
        }
        platform::forgetTrashInfo(record.moved);
        ++result_.restored;
        settled_.insert(record.moved);
        if (*outcome.landed != record.original) {
            renamed_.add(outcome.n, {record.original, *outcome.landed, std::nullopt, std::nullopt});
        }
    }

    UndoResult& result_;
    JournaledMoves steps_;
    Date since_;
    OpenFolders folders_;
    std::map<fs::path, std::optional<Refusal>> sourceFolders_; // why each is out of reach
    std::map<std::size_t, const MoveRecord*> records_;
    std::set<fs::path> settled_;
    InOrder<MoveFailure> failures_;
    InOrder<MoveRecord> renamed_;
};

// What recovery said about an unreadable history is kept when the operation's own write is fine.
void keepSetAside(HistoryStatus& status, const Recovery& recovery) {
    if (!status.setAside) {
        status.setAside = recovery.historyStatus.setAside;
    }
}

} // namespace

FileMover::FileMover(std::optional<fs::path> historyFile) : historyFile_(std::move(historyFile)) {}

std::vector<Batch> FileMover::history() const {
    return historyFile_ ? readHistory(*historyFile_) : std::vector<Batch>{};
}

Recovery FileMover::recover() {
    return historyFile_ ? recoverJournals(*historyFile_) : Recovery{};
}

// Without a journal the moves still go ahead, as they would without a history: the final
// write then tells whether they can be undone.
std::optional<MoveJournal> FileMover::beginJournal(bool undo, const Batch& batch,
                                                   HistoryStatus& status) const {
    if (!historyFile_) {
        return std::nullopt;
    }
    std::error_code ec;
    auto journal = MoveJournal::begin(
        *historyFile_, undo ? JournalContents::Kind::undo : JournalContents::Kind::apply, batch.id,
        batch.date, ec);
    if (!journal) {
        status.writeError = ec.message();
    }
    return journal;
}

ApplyResult FileMover::apply(const Moves& moves, std::stop_token stop) {
    const Recovery recovery = recover();
    // To the microsecond, which the history keeps exactly.
    const Date now = std::chrono::floor<std::chrono::microseconds>(Clock::now());
    ApplyResult result{Batch{newUuid(), now, {}, {}}, {}, {}, {}, recovery.steps};
    auto journal = beginJournal(false, result.batch, result.historyStatus);
    ApplyRun run(result, journal ? &*journal : nullptr, beforeMove_);
    for (std::size_t n = 0; n < moves.size() && !stop.stop_requested(); ++n) {
        run.move(n, moves[n].first, moves[n].second);
        if (progress_) {
            progress_(n + 1, moves.size());
        }
    }
    run.finish();
    if (result.batch.records.empty()) {
        if (journal) {
            journal->remove();
        }
        result.historyStatus = {};
    } else if (historyFile_) {
        result.historyStatus = updateHistory(
            *historyFile_, [&](std::vector<Batch>& history) { addBatch(history, result.batch); },
            [&] {
                if (journal) {
                    journal->remove();
                }
            });
    }
    keepSetAside(result.historyStatus, recovery);
    return result;
}

UndoResult FileMover::undoLast(std::stop_token stop) {
    const Recovery recovery = recover();
    UndoResult result;
    result.recovered = recovery.steps;
    result.historyStatus = recovery.historyStatus;
    const std::vector<Batch> stored = history();
    if (stored.empty()) {
        return result;
    }
    const Batch& batch = stored.back();
    auto journal = beginJournal(true, batch, result.historyStatus);
    UndoRun run(result, journal ? &*journal : nullptr, beforeMove_, batch.date);
    std::size_t n = 0;
    for (const MoveRecord& record : std::views::reverse(batch.records)) {
        if (stop.stop_requested()) {
            break;
        }
        run.restore(n++, record);
        if (progress_) {
            progress_(n, batch.records.size());
        }
    }
    const std::set<fs::path> settled = run.finish();
    const std::set<fs::path> removed = removeEmptyFolders(batch.createdFolders);
    result.historyStatus = updateHistory(
        *historyFile_,
        [&](std::vector<Batch>& history) {
            result.remaining = forgetRecords(history, batch.id, settled, removed);
        },
        [&] {
            if (journal) {
                journal->remove();
            }
        });
    keepSetAside(result.historyStatus, recovery);
    return result;
}

} // namespace vesk
