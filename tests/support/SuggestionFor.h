#pragma once

#include "core/plan/Plan.h"

#include <stdexcept>
#include <string>

namespace vesk::test {

// The plan's suggestion for the file of this name; throws when it has none.
inline const Suggestion& suggestionFor(const Plan& plan, const std::string& name) {
    for (const auto& suggestion : plan.suggestions) {
        if (suggestion.item.name == name) {
            return suggestion;
        }
    }
    throw std::runtime_error("no suggestion for " + name);
}

} // namespace vesk::test
