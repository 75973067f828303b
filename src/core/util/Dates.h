#pragma once

#include <chrono>

namespace vesk {

using Clock = std::chrono::system_clock;
using Date = Clock::time_point;

// Stored dates count seconds since 2001-01-01 00:00:00 UTC, the reference date the history and
// profile files have always used.
[[nodiscard]] double toReferenceSeconds(Date date);
[[nodiscard]] Date fromReferenceSeconds(double seconds);

} // namespace vesk
