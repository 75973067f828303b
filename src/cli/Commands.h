#pragma once

#include "cli/CliOptions.h"

namespace vesk {

// Each returns the process exit status.
[[nodiscard]] int runPlan(const CliOptions& options);
[[nodiscard]] int runTidy(const CliOptions& options);
[[nodiscard]] int runUndo(const CliOptions& options);
[[nodiscard]] int runHistory(const CliOptions& options);
[[nodiscard]] int runDemo(const CliOptions& options);

} // namespace vesk
