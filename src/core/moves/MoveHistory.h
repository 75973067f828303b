#pragma once

#include "core/moves/Batch.h"
#include "core/util/FileLock.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The newest batches that the history keeps.
constexpr std::size_t historyLimit = 20;

// history.json: a compact JSON array of batches, oldest first, with file URLs, dates in seconds
// since 2001-01-01 UTC and upper-case UUIDs. A record may carry the moved entry's identity in
// the further keys "device", "inode", "size", "modified" and "born"; readers of the older form
// ignore them.
[[nodiscard]] std::string encodeHistory(const std::vector<Batch>& history);
// Nothing when the text is not a complete history: every key is required.
[[nodiscard]] std::optional<std::vector<Batch>> decodeHistory(std::string_view json);

// What became of a change to the history file.
struct HistoryStatus {
    std::optional<std::string> writeError;         // the change was not written, and why
    std::optional<std::filesystem::path> setAside; // an unreadable history, kept under this name

    bool operator==(const HistoryStatus&) const = default;
};

// The application and vesk-cli share the file. Every change re-reads it under an exclusive lock
// on "<file>.lock" and writes it within that lock, so neither drops the other's batches.

// The batches stored now, oldest first; empty when the file is missing or unreadable, which is
// then left as it is.
[[nodiscard]] std::vector<Batch> readHistory(const std::filesystem::path& file);

// Reads the batches, lets `change` edit them and replaces the file atomically, then runs
// `afterWrite`, all within the lock. An unreadable file is never overwritten: it is first
// renamed to "<file>.corrupt-<date>". A folder at the path is left alone and nothing is written.
[[nodiscard]] HistoryStatus updateHistory(const std::filesystem::path& file,
                                          const std::function<void(std::vector<Batch>&)>& change,
                                          const std::function<void()>& afterWrite = {});

// Adds a finished batch and keeps the newest `historyLimit`. Records the history already holds
// of it (its journal folded a second time by a reader killed half-way) are not added again.
void addBatch(std::vector<Batch>& history, const Batch& batch);

// Drops the records of batch `id` whose moved file an undo settled, and the folders it removed;
// the batch goes once no record is left. Returns the number of records kept.
std::size_t forgetRecords(std::vector<Batch>& history, const std::string& id,
                          const std::set<std::filesystem::path>& settledMoved,
                          const std::set<std::filesystem::path>& removedFolders);

// The lock that every change takes, for what is changed beside the file under it.
[[nodiscard]] std::optional<FileLock> lockHistory(const std::filesystem::path& file,
                                                  std::error_code& ec);

} // namespace vesk
