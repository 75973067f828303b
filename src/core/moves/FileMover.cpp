#include "core/moves/FileMover.h"

#include "core/util/NormalFolder.h"
#include "core/util/Uuid.h"
#include "platform/EntryStatus.h"
#include "platform/FileOps.h"
#include "platform/Trash.h"

#include <algorithm>
#include <chrono>
#include <ranges>
#include <set>
#include <system_error>
#include <unistd.h>

namespace vesk {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view sourceMissing = "文件已不在原处";
constexpr std::string_view movedMissing = "找不到已移动的文件";
constexpr std::string_view movedChanged = "已不是整理时移动的那个文件";
// Stops a retry loop on a file system that keeps refusing names that look free.
constexpr int clashRetries = 100;
// Times are kept to the microsecond.
constexpr auto sameTime = std::chrono::microseconds(1);

// Any entry counts, a dangling symbolic link too: it occupies the name.
bool isTaken(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

// Missing folders from `dir` up to the first one that exists, shallowest first.
std::vector<fs::path> missingFolders(const fs::path& dir) {
    std::vector<fs::path> missing;
    for (fs::path current = dir; !isTaken(current) && current.has_relative_path();
         current = current.parent_path()) {
        missing.push_back(current);
    }
    std::reverse(missing.begin(), missing.end());
    return missing;
}

// Creates `dir` with its parents and appends the folders that did not exist before.
std::error_code createFolder(const fs::path& dir, std::vector<fs::path>& created) {
    std::vector<fs::path> missing = missingFolders(dir);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        return ec;
    }
    created.insert(created.end(), missing.begin(), missing.end());
    return {};
}

// To the microsecond, which the history keeps exactly.
Date stored(Date date) {
    return std::chrono::floor<std::chrono::microseconds>(date);
}

std::optional<FileIdentity> identityOf(const fs::path& path) {
    const auto status = platform::entryStatus(path);
    if (!status) {
        return std::nullopt;
    }
    return FileIdentity{status->device, status->inode, status->size,
                        stored(status->modified.value_or(Date{})),
                        status->born ? std::optional(stored(*status->born)) : std::nullopt};
}

bool isSameTime(Date a, Date b) {
    return a - b <= sameTime && b - a <= sameTime;
}

bool isSameEntry(const FileIdentity& recorded, const FileIdentity& now) {
    const bool sameInode = recorded.device == now.device && recorded.inode == now.inode &&
                           (!recorded.born || !now.born || isSameTime(*recorded.born, *now.born));
    return sameInode || (recorded.size == now.size && isSameTime(recorded.modified, now.modified));
}

// An undo that was interrupted after this file may already have put it back.
bool isBackInPlace(const MoveRecord& record) {
    const auto there = identityOf(record.original);
    return record.identity && there && isSameEntry(*record.identity, *there);
}

MoveFailure failure(const fs::path& file, std::string_view message) {
    return {file, std::string(message)};
}

// After every move at first, then in groups of up to 32, so that a batch of thousands of files
// does not rewrite the whole history thousands of times.
std::size_t groupSize(std::size_t written) {
    return std::min<std::size_t>(32, 1 + written / 16);
}

template <typename T> std::vector<T> tail(const std::vector<T>& list, std::size_t from) {
    return {list.begin() + static_cast<std::ptrdiff_t>(from), list.end()};
}

// Adds what the batch moved since the last write to its entry in the history. Another mover
// may have undone the entry meanwhile: the later moves then make a new one.
void appendToBatch(std::vector<Batch>& history, const Batch& part) {
    const auto entry = std::ranges::find(history, part.id, &Batch::id);
    if (entry == history.end()) {
        history.push_back(part);
    } else {
        entry->records.insert(entry->records.end(), part.records.begin(), part.records.end());
        entry->createdFolders.insert(entry->createdFolders.end(), part.createdFolders.begin(),
                                     part.createdFolders.end());
    }
    if (history.size() > FileMover::historyLimit) {
        history.erase(history.begin(),
                      history.end() - static_cast<std::ptrdiff_t>(FileMover::historyLimit));
    }
}

// Drops what an undo settled from the batch's entry, and the entry once no record is left.
// Returns the number of records kept.
std::size_t forget(std::vector<Batch>& history, const std::string& id,
                   const std::set<std::pair<fs::path, fs::path>>& settled,
                   const std::set<fs::path>& removedFolders) {
    const auto entry = std::ranges::find(history, id, &Batch::id);
    if (entry == history.end()) {
        return 0;
    }
    std::erase_if(entry->records, [&](const MoveRecord& record) {
        return settled.contains({record.original, record.moved});
    });
    std::erase_if(entry->createdFolders,
                  [&](const fs::path& dir) { return removedFolders.contains(dir); });
    const std::size_t kept = entry->records.size();
    if (kept == 0) {
        history.erase(entry);
    }
    return kept;
}

// Only an empty folder goes: whatever is left in it, a hidden file too, belongs to someone.
// rmdir(2) also leaves alone a file that has taken the folder's name.
std::set<fs::path> removeEmptyFolders(const std::vector<fs::path>& created) {
    std::set<fs::path> removed;
    for (const fs::path& dir : std::views::reverse(created)) {
        if (::rmdir(dir.c_str()) == 0) {
            removed.insert(dir);
        }
    }
    return removed;
}

} // namespace

FileMover::FileMover(std::optional<fs::path> historyFile) : historyFile_(std::move(historyFile)) {}

std::vector<Batch> FileMover::history() const {
    return historyFile_ ? readHistory(*historyFile_) : std::vector<Batch>{};
}

ApplyResult FileMover::apply(const std::vector<std::pair<fs::path, Destination>>& moves,
                             std::stop_token stop) {
    ApplyResult result{Batch{newUuid(), stored(Clock::now()), {}, {}}, {}, {}, {}};
    Written written;
    std::size_t done = 0;
    for (const auto& [source, destination] : moves) {
        if (stop.stop_requested()) {
            break;
        }
        moveInto(source, destination, result);
        if (progress_) {
            progress_(++done, moves.size());
        }
        if (result.batch.records.size() - written.records >= groupSize(written.records)) {
            writeProgress(result, written);
        }
    }
    if (result.batch.records.size() > written.records) {
        writeProgress(result, written);
    }
    return result;
}

void FileMover::writeProgress(ApplyResult& result, Written& written) const {
    if (!historyFile_) {
        return;
    }
    const Batch& batch = result.batch;
    const Batch part{batch.id, batch.date, tail(batch.records, written.records),
                     tail(batch.createdFolders, written.folders)};
    const HistoryStatus status = updateHistory(
        *historyFile_, [&](std::vector<Batch>& history) { appendToBatch(history, part); });
    // What failed to be written stays pending for the next write, so only the last one tells.
    result.historyStatus.writeError = status.writeError;
    if (status.setAside) {
        result.historyStatus.setAside = status.setAside;
    }
    if (!status.writeError) {
        written = {batch.records.size(), batch.createdFolders.size()};
    }
}

void FileMover::moveInto(const fs::path& source, const Destination& destination,
                         ApplyResult& result) {
    if (!isTaken(source)) {
        result.failures.push_back(failure(source, sourceMissing));
        return;
    }
    if (destination.type == Destination::Type::trash) {
        const platform::TrashResult trashed = platform::moveToTrash(source);
        if (!trashed.location) {
            result.failures.push_back(failure(source, trashed.error));
            return;
        }
        result.batch.records.push_back({source, *trashed.location, identityOf(*trashed.location)});
        return;
    }
    // Moving it would only rename it to "name 2", and again on every tidy.
    if (isSameFolder(source.parent_path(), destination.path)) {
        result.inPlace.push_back(source);
        return;
    }
    if (const std::error_code ec = createFolder(destination.path, result.batch.createdFolders)) {
        result.failures.push_back(failure(source, ec.message()));
        return;
    }
    fs::path landed;
    if (const std::error_code ec =
            moveToFreeName(source, destination.path / source.filename(), landed)) {
        result.failures.push_back(failure(source, ec.message()));
        return;
    }
    result.batch.records.push_back({source, landed, identityOf(landed)});
}

// The free name is chosen before the move; should something take it in between, the move
// refuses and the next free name is tried, so nothing is ever replaced.
std::error_code FileMover::moveToFreeName(const fs::path& from, const fs::path& wanted,
                                          fs::path& landed) {
    std::error_code ec;
    for (int attempt = 0; attempt < clashRetries; ++attempt) {
        landed = freePath(wanted, ec);
        if (ec) {
            return ec;
        }
        if (beforeMove_) {
            beforeMove_(landed);
        }
        ec = platform::moveEntry(from, landed);
        if (ec != std::errc::file_exists) {
            return ec;
        }
    }
    return ec;
}

UndoResult FileMover::undoLast(std::stop_token stop) {
    UndoResult result;
    const std::vector<Batch> stored = history();
    if (stored.empty()) {
        return result;
    }
    const Batch& batch = stored.back();
    std::set<std::pair<fs::path, fs::path>> settled;
    std::size_t done = 0;
    for (const MoveRecord& record : std::views::reverse(batch.records)) {
        if (stop.stop_requested()) {
            break;
        }
        if (restore(record, result)) {
            settled.emplace(record.original, record.moved);
        }
        if (progress_) {
            progress_(++done, batch.records.size());
        }
    }
    const std::set<fs::path> removed = removeEmptyFolders(batch.createdFolders);
    result.historyStatus = updateHistory(*historyFile_, [&](std::vector<Batch>& history) {
        result.remaining = forget(history, batch.id, settled, removed);
    });
    return result;
}

bool FileMover::restore(const MoveRecord& record, UndoResult& result) {
    std::error_code ec;
    if (fs::symlink_status(record.moved, ec).type() == fs::file_type::not_found) {
        if (!isBackInPlace(record)) {
            result.failures.push_back(failure(record.moved, movedMissing));
        }
        return true;
    }
    if (ec) {
        result.failures.push_back(failure(record.moved, ec.message()));
        return false;
    }
    // Whatever has taken the name since is not ours to move.
    const auto now = identityOf(record.moved);
    if (record.identity && (!now || !isSameEntry(*record.identity, *now))) {
        result.failures.push_back(failure(record.moved, movedChanged));
        return false;
    }
    fs::create_directories(record.original.parent_path(), ec);
    if (ec) {
        result.failures.push_back(failure(record.moved, ec.message()));
        return false;
    }
    fs::path landed;
    if (const std::error_code moveError = moveToFreeName(record.moved, record.original, landed)) {
        result.failures.push_back(failure(record.moved, moveError.message()));
        return false;
    }
    platform::forgetTrashInfo(record.moved);
    ++result.restored;
    if (landed != record.original) {
        result.renamed.push_back({record.original, landed, {}});
    }
    return true;
}

} // namespace vesk
