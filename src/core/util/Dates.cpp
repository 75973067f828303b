#include "core/util/Dates.h"

namespace vesk {

namespace {
// 2001-01-01T00:00:00Z as seconds since the Unix epoch.
constexpr double referenceEpoch = 978307200.0;
} // namespace

double toReferenceSeconds(Date date) {
    const std::chrono::duration<double> sinceUnix = date.time_since_epoch();
    return sinceUnix.count() - referenceEpoch;
}

Date fromReferenceSeconds(double seconds) {
    const std::chrono::duration<double> sinceUnix(seconds + referenceEpoch);
    return Date(std::chrono::duration_cast<Clock::duration>(sinceUnix));
}

} // namespace vesk
