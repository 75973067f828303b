#include "core/plan/Suggestion.h"

#include <functional>

namespace vesk {

std::string Action::key() const {
    switch (type) {
    case Type::move:
        return path;
    case Type::trash:
        return "trash";
    case Type::toApplications:
        return std::string(applicationsFolder);
    case Type::keep:
        return "keep";
    case Type::ask:
        return "ask";
    }
    return "ask";
}

} // namespace vesk

std::size_t std::hash<vesk::Action>::operator()(const vesk::Action& action) const noexcept {
    const auto ordinal = static_cast<std::size_t>(action.type);
    if (action.type != vesk::Action::Type::move) {
        return ordinal;
    }
    return ordinal ^ (std::hash<std::string>{}(action.path) << 1);
}
