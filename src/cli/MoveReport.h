#pragma once

#include "core/moves/FileMover.h"

#include <string>
#include <vector>

namespace vesk {

// What a tidy, an undo and the history look like on the terminal and as JSON.
[[nodiscard]] std::string applyText(const ApplyResult& result);
[[nodiscard]] std::string applyJson(const ApplyResult& result);
[[nodiscard]] std::string undoText(const UndoResult& result);
[[nodiscard]] std::string undoJson(const UndoResult& result);
[[nodiscard]] std::string historyText(const std::vector<Batch>& history);
[[nodiscard]] std::string historyJson(const std::vector<Batch>& history);
// What was settled after an interrupted tidy or undo, for standard error: each step when
// verbose, else one line; nothing when nothing was.
[[nodiscard]] std::string recoveryText(const std::vector<MoveFailure>& steps, bool verbose);

} // namespace vesk
