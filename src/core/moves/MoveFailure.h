#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vesk {

// A file that could not be moved or restored, or what recovery found of one after a tidy or
// undo was killed, and why. The engine names the case; the interface words it in the person's
// language. The system's own description of an error is passed on as it is.
struct MoveFailure {
    enum class Code {
        sourceMissing,      // the file is no longer where it was
        movedMissing,       // the moved file is gone
        movedChanged,       // another file has taken the moved file's place
        destinationChanged, // the destination folder was replaced after review: the file stays
        folderChanged,      // the folder was replaced after the tidy: the file stays
        stillBeingWritten,  // the file changed while it was copied: left for the next tidy
        recordedMove,       // recovery: moved before the kill, now in the history
        restoredMove,       // recovery: put back before the kill, gone from the history
        notMoved,           // recovery: never moved, still where it was
        copyRemoved,        // recovery: a needless copy went, the original stays
        partialRemoved,     // recovery: an unfinished copy went
        bothMissing,        // recovery: neither where it was nor where it went
        unclear,            // recovery: the move can't be confirmed; the destination is left alone
        system,             // the system refused: `detail` says why
    };

    std::filesystem::path file;
    Code code = Code::system;
    std::string detail;

    bool operator==(const MoveFailure&) const = default;
};

// The stable name of a case, for machine-readable output.
[[nodiscard]] std::string_view failureKey(MoveFailure::Code code);

} // namespace vesk
