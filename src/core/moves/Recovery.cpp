#include "core/moves/Recovery.h"

#include "core/moves/EntryIdentity.h"
#include "core/moves/MoveFolders.h"
#include "core/moves/MoveJournal.h"
#include "platform/FileDescriptor.h"
#include "platform/FileOps.h"
#include "platform/Trash.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vesk {

namespace {

namespace fs = std::filesystem;

using Code = MoveFailure::Code;

void report(std::vector<MoveFailure>& steps, const fs::path& file, Code code) {
    steps.push_back({file, code, {}});
}

// Settles one move of a dead journal; true when its file had moved.
bool settle(const JournalEntry& entry, Code moved, std::vector<MoveFailure>& steps) {
    if (entry.done) {
        report(steps, entry.from, moved);
        return true;
    }
    if (entry.partial && isTaken(*entry.partial)) {
        platform::removeCopy(*entry.partial);
        report(steps, *entry.partial, Code::partialRemoved);
    }
    const auto there = identityOf(entry.to);
    const auto here = identityOf(entry.from);
    const auto isSource = [&](const std::optional<FileIdentity>& found) {
        return found && entry.source && isSameInode(*entry.source, *found);
    };
    // Renamed: the destination is the source's own inode.
    if (isSource(there)) {
        report(steps, entry.from, moved);
        return true;
    }
    if (there && entry.copy && isSameInode(*entry.copy, *there)) {
        // Both are whole, but only the source was ever known to be on disk.
        if (isSource(here)) {
            platform::removeCopy(entry.to);
            report(steps, entry.to, Code::copyRemoved);
            return false;
        }
        report(steps, entry.from, moved);
        return true;
    }
    if (!there) {
        // A slot in the Trash reserved for a file that never came.
        platform::forgetTrashInfo(entry.to);
    }
    report(steps, entry.from, here ? Code::notMoved : there ? Code::unclear : Code::bothMissing);
    return false;
}

void fold(const JournalContents& journal, std::vector<Batch>& history,
          std::vector<MoveFailure>& steps) {
    Batch batch{journal.batchId, journal.date, {}, journal.createdFolders};
    std::set<fs::path> settled;
    const bool undo = journal.kind == JournalContents::Kind::undo;
    for (const auto& [n, entry] : journal.entries) {
        if (!settle(entry, undo ? Code::restoredMove : Code::recordedMove, steps)) {
            continue;
        }
        batch.records.push_back(
            {entry.from, entry.to, entry.done ? entry.landed : identityOf(entry.to), std::nullopt});
        settled.insert(entry.from);
        if (undo) {
            platform::forgetTrashInfo(entry.from); // back from the Trash
        }
    }
    if (undo) {
        (void)forgetRecords(history, journal.batchId, settled, {});
    } else if (batch.records.empty()) {
        (void)removeEmptyFolders(batch.createdFolders); // no batch will ever undo them
    } else {
        addBatch(history, batch);
    }
}

} // namespace

Recovery recoverJournals(const fs::path& historyFile) {
    Recovery recovery;
    if (journalsOf(historyFile).empty()) {
        return recovery;
    }
    // Held until the history is written, so that no other reader folds them too.
    std::vector<platform::FileDescriptor> held;
    std::vector<fs::path> dead;
    recovery.historyStatus = updateHistory(
        historyFile,
        [&](std::vector<Batch>& history) {
            for (const fs::path& journal : journalsOf(historyFile)) {
                platform::FileDescriptor fd(
                    ::open(journal.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
                if (!fd.valid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
                    continue; // its process is still at work
                }
                if (const auto contents = readJournal(journal)) {
                    fold(*contents, history, recovery.steps);
                }
                held.push_back(std::move(fd));
                dead.push_back(journal);
            }
        },
        [&] {
            for (const fs::path& journal : dead) {
                (void)::unlink(journal.c_str());
            }
        });
    return recovery;
}

} // namespace vesk
