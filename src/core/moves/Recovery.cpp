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

constexpr std::string_view recordedMove = "中断前已移动，已记入历史";
constexpr std::string_view restoredMove = "中断前已放回原处，已从历史中移除";
constexpr std::string_view notMoved = "中断前未移动，仍在原处";
constexpr std::string_view copyRemoved = "已删除中断时留下的多余副本，原文件仍在原处";
constexpr std::string_view partialRemoved = "已删除中断时未完成的副本";
constexpr std::string_view bothMissing = "中断后在原处和目标处都找不到";
constexpr std::string_view unclear = "中断前的移动无法确认，目标处的文件保持不动";

void report(std::vector<MoveFailure>& steps, const fs::path& file, std::string_view message) {
    steps.push_back({file, std::string(message)});
}

// Settles one move of a dead journal; true when its file had moved.
bool settle(const JournalEntry& entry, std::string_view moved, std::vector<MoveFailure>& steps) {
    if (entry.done) {
        report(steps, entry.from, moved);
        return true;
    }
    if (entry.partial && isTaken(*entry.partial)) {
        platform::removeCopy(*entry.partial);
        report(steps, *entry.partial, partialRemoved);
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
            report(steps, entry.to, copyRemoved);
            return false;
        }
        report(steps, entry.from, moved);
        return true;
    }
    if (!there) {
        // A slot in the Trash reserved for a file that never came.
        platform::forgetTrashInfo(entry.to);
    }
    report(steps, entry.from, here ? notMoved : there ? unclear : bothMissing);
    return false;
}

void fold(const JournalContents& journal, std::vector<Batch>& history,
          std::vector<MoveFailure>& steps) {
    Batch batch{journal.batchId, journal.date, {}, journal.createdFolders};
    std::set<fs::path> settled;
    const bool undo = journal.kind == JournalContents::Kind::undo;
    for (const auto& [n, entry] : journal.entries) {
        if (!settle(entry, undo ? restoredMove : recordedMove, steps)) {
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
