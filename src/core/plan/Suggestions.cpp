#include "core/plan/Suggestions.h"

#include <algorithm>

namespace vesk {

Suggestions::Suggestions(std::vector<Suggestion> suggestions) {
    items_.reserve(suggestions.size());
    for (Suggestion& suggestion : suggestions) {
        push_back(std::move(suggestion));
    }
}

void Suggestions::push_back(Suggestion suggestion) {
    items_.push_back(std::make_shared<const Suggestion>(std::move(suggestion)));
}

bool Suggestions::operator==(const Suggestions& other) const {
    return std::equal(items_.begin(), items_.end(), other.items_.begin(), other.items_.end(),
                      [](const auto& a, const auto& b) { return a == b || *a == *b; });
}

} // namespace vesk
