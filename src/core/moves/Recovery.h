#pragma once

#include "core/moves/Batch.h"
#include "core/moves/MoveFailure.h"
#include "core/moves/MoveHistory.h"

#include <filesystem>
#include <vector>

namespace vesk {

// What was found and done after a tidy or undo that was killed half-way.
struct Recovery {
    std::vector<MoveFailure> steps; // one for each file looked at or copy removed
    HistoryStatus historyStatus{};
};

// Folds into the history every journal beside it that no live process holds, settling first
// what each unfinished move left behind: a move whose file left its source and is at its
// destination is recorded; one whose file is still at its source never happened; where both
// exist and the destination holds the journal's own copy, that copy goes and the original
// stays; an unfinished copy goes. Done again from the start when killed itself.
[[nodiscard]] Recovery recoverJournals(const std::filesystem::path& historyFile);

} // namespace vesk
