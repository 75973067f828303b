#pragma once

#include "core/moves/Batch.h"
#include "platform/FileDescriptor.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace vesk {

// One move of a tidy or undo as its journal tells it.
struct JournalEntry {
    std::filesystem::path from;
    std::filesystem::path to;
    std::optional<FileIdentity> source;           // `from` just before the move
    std::optional<std::filesystem::path> partial; // an unfinished copy across file systems
    std::optional<FileIdentity> copy;             // that copy, complete, before it got its name
    std::optional<FileIdentity> landed;           // `to` once the move was done
    bool done = false;
};

// What a journal holds; also what is left of one whose process was killed.
struct JournalContents {
    enum class Kind { apply, undo };
    Kind kind = Kind::apply;
    std::string batchId; // the batch being made, or being undone
    Date date;
    std::map<std::size_t, JournalEntry> entries; // by the move's number in the operation
    std::vector<std::filesystem::path> createdFolders;
};

// The append-only journal of one tidy or undo in progress, beside the history file: each move is
// written before it starts and marked once it is done, so that whoever reads the history next
// can tell what a killed process did. Lines are written one by one and synced at most once a
// second, and before the source of a copy goes. The
// process holds an exclusive flock on its journal while it works: one that nobody holds belongs
// to a process that is gone.
class MoveJournal {
public:
    // Made under the history's lock, so that no reader takes it for a dead one before it is held.
    [[nodiscard]] static std::optional<MoveJournal> begin(const std::filesystem::path& historyFile,
                                                          JournalContents::Kind kind,
                                                          const std::string& batchId, Date date,
                                                          std::error_code& ec);

    void intend(std::size_t n, const std::filesystem::path& from, const std::filesystem::path& to,
                const std::optional<FileIdentity>& source);
    void partial(std::size_t n, const std::filesystem::path& path);
    void copied(std::size_t n, const std::optional<FileIdentity>& copy);
    void done(std::size_t n, const std::optional<FileIdentity>& landed);
    void createdFolder(const std::filesystem::path& dir);
    // On disk now; needed before the source of a copy goes.
    void sync();
    // The first write that failed: the journal may then not tell the whole story.
    [[nodiscard]] const std::optional<std::string>& writeError() const { return writeError_; }

    // Once what it holds is in the history (under the history's lock), or nothing was moved.
    void remove();

private:
    MoveJournal(platform::FileDescriptor fd, std::filesystem::path path)
        : fd_(std::move(fd)), path_(std::move(path)) {}
    void append(std::string line);

    platform::FileDescriptor fd_;
    std::filesystem::path path_;
    bool unsynced_ = false;
    std::chrono::steady_clock::time_point lastSync_ = std::chrono::steady_clock::now();
    std::optional<std::string> writeError_;
};

// The journals beside a history file, live or dead.
[[nodiscard]] std::vector<std::filesystem::path>
journalsOf(const std::filesystem::path& historyFile);

// Nothing when not even its first line can be read; a last line cut short by a kill is left out.
[[nodiscard]] std::optional<JournalContents> readJournal(const std::filesystem::path& journal);

} // namespace vesk
