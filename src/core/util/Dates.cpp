#include "core/util/Dates.h"

#include <cmath>

namespace vesk {

namespace {
// 2001-01-01T00:00:00Z as seconds since the Unix epoch.
constexpr double referenceEpoch = 978307200.0;
// About 270 years either side of 1970: inside what the clock's nanoseconds can hold.
constexpr double clockReach = 8.5e9;
} // namespace

double toReferenceSeconds(Date date) {
    const std::chrono::duration<double> sinceUnix = date.time_since_epoch();
    return sinceUnix.count() - referenceEpoch;
}

std::optional<Date> fromReferenceSeconds(double seconds) {
    const double sinceUnix = seconds + referenceEpoch;
    if (!std::isfinite(sinceUnix) || std::abs(sinceUnix) > clockReach) {
        return std::nullopt;
    }
    // A double holds today's dates to a fraction of a microsecond: rounding to whole ones gives
    // back exactly a date that was kept to the microsecond.
    return Date(
        std::chrono::round<std::chrono::microseconds>(std::chrono::duration<double>(sinceUnix)));
}

} // namespace vesk
