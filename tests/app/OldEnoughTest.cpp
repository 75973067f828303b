#include "app/OldEnough.h"

#include "core/plan/Plan.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using namespace std::chrono_literals;

const Date scanStart = Clock::now();

Suggestion waiting(std::optional<Date> added, std::optional<Date> created = std::nullopt,
                   Layer layer = Layer::skip, ReasonCode reason = ReasonCode::tooNew) {
    Suggestion suggestion;
    suggestion.item.name = "a.pdf";
    suggestion.item.added = added;
    suggestion.item.created = created;
    suggestion.action = Action::keep();
    suggestion.layer = layer;
    suggestion.reason = {reason, {"1.0"}};
    return suggestion;
}

TEST(OldEnough, TheEarliestFileThatWaitsForItsAgeAfterTheScanStarted) {
    constexpr double oneDay = 1;
    const auto inPlace = waiting(scanStart - 1h, {}, Layer::skip, ReasonCode::inPlace);
    struct Case {
        const char* what;
        std::vector<Suggestion> suggestions;
        std::optional<Date> due;
    };
    const Case cases[] = {
        {"nothing waits", {}, std::nullopt},
        {"the earliest of several",
         {waiting(scanStart - 2h), waiting(scanStart - 5h), waiting(scanStart - 1h)},
         scanStart - 5h + 24h},
        {"the creation time without an arrival time", {waiting({}, scanStart - 3h)},
         scanStart - 3h + 24h},
        // Old, yet left alone: still downloading. It must not ask for a scan at every scan.
        {"left alone for another reason", {waiting(scanStart - 48h)}, std::nullopt},
        {"already in place", {inPlace}, std::nullopt},
        {"no date: it never ages", {waiting({})}, std::nullopt},
        {"a row is no waiting file", {waiting(scanStart - 1h, {}, Layer::match)}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Plan plan;
        plan.suggestions = c.suggestions;
        EXPECT_EQ(nextOldEnough(plan, oneDay, scanStart), c.due);
    }
}

} // namespace
} // namespace vesk
