#pragma once

#include "core/plan/Plan.h"
#include "core/util/Dates.h"

#include <optional>

namespace vesk {

// When the first file that a scan left alone for its age becomes old enough to be offered:
// the earliest such moment after `scanStart`, the time the scan began. A file left alone for
// another reason (still downloading, already in place) never asks for a scan of its own.
[[nodiscard]] std::optional<Date> nextOldEnough(const Plan& plan, double minAgeDays,
                                                Date scanStart);

} // namespace vesk
