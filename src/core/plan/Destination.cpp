#include "core/plan/Destination.h"

namespace vesk {

std::optional<Destination> destination(const Suggestion& suggestion,
                                       const std::filesystem::path& home) {
    switch (suggestion.action.type) {
    case Action::Type::move:
        return Destination::folder(home / suggestion.action.path);
    case Action::Type::trash:
        return Destination::trash();
    case Action::Type::toApplications:
        return Destination::folder(home / Action::applicationsFolder);
    case Action::Type::keep:
    case Action::Type::ask:
        return std::nullopt;
    }
    return std::nullopt;
}

Destination reviewed(Destination destination) {
    return ReviewedDestinations()(std::move(destination));
}

Destination ReviewedDestinations::operator()(Destination destination) {
    if (destination.type != Destination::Type::folder || destination.trail) {
        return destination;
    }
    const auto [found, added] = trails_.try_emplace(destination.path.native());
    if (added) {
        found->second = takeTrail(destination.path);
    }
    destination.trail = found->second;
    return destination;
}

} // namespace vesk

std::size_t std::hash<vesk::Destination>::operator()(const vesk::Destination& d) const noexcept {
    return std::filesystem::hash_value(d.path) * 31 + static_cast<std::size_t>(d.type);
}
