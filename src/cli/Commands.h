#pragma once

#include "cli/CliOptions.h"
#include "cli/StopSignals.h"

namespace vesk {

// Each returns the process exit status.
[[nodiscard]] int runPlan(const CliOptions& options);
// A stop signal while moving ends these after the file in progress, with status 128 + signal.
[[nodiscard]] int runTidy(const CliOptions& options, StopSignals& stops);
[[nodiscard]] int runUndo(const CliOptions& options, StopSignals& stops);
[[nodiscard]] int runHistory(const CliOptions& options);
[[nodiscard]] int runDemo(const CliOptions& options);

} // namespace vesk
