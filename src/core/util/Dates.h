#pragma once

#include <chrono>
#include <optional>

namespace vesk {

using Clock = std::chrono::system_clock;
using Date = Clock::time_point;

// Stored dates count seconds since 2001-01-01 00:00:00 UTC, the reference date the history and
// profile files have always used.
[[nodiscard]] double toReferenceSeconds(Date date);
// Nothing for a number that is no date at all: not finite, or further away than the clock reaches.
[[nodiscard]] std::optional<Date> fromReferenceSeconds(double seconds);

} // namespace vesk
