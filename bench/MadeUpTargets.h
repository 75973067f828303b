#pragma once

// A made-up home for the micro-benchmarks: 1,000 folders of 100 names each, named like real
// downloads from a small vocabulary in English, Norwegian and Chinese.

#include "core/targets/Targets.h"

#include <string>
#include <vector>

namespace vesk::bench {

constexpr int folderCount = 1000;
constexpr int namesPerFolder = 100;

// The same folders every time.
[[nodiscard]] const std::vector<Target>& madeUpTargets();

} // namespace vesk::bench
