#include "app/OldEnough.h"

#include "core/plan/Plan.h"

namespace vesk {

std::optional<Date> nextOldEnough(const Plan& plan, double minAgeDays, Date scanStart) {
    const auto wait = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(minAgeDays * 86400.0));
    std::optional<Date> next;
    for (const Suggestion& suggestion : plan.suggestions) {
        if (suggestion.layer != Layer::skip || suggestion.reason.code != ReasonCode::tooNew) {
            continue;
        }
        // A file without any date counts as arriving now, at every scan: it never ages.
        const auto arrived = suggestion.item.added ? suggestion.item.added : suggestion.item.created;
        if (!arrived) {
            continue;
        }
        if (const Date due = *arrived + wait; due > scanStart && (!next || due < *next)) {
            next = due;
        }
    }
    return next;
}

} // namespace vesk
