#pragma once

#include "core/plan/FolderTrail.h"
#include "core/plan/Suggestion.h"

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace vesk {

// Where one file goes: into a folder (created when missing) or to the Trash.
struct Destination {
    enum class Type { folder, trash };

    Type type = Type::trash;
    std::filesystem::path path; // only for Type::folder
    // The folder as the person reviewed it; without one the move takes the folder as it finds it.
    std::optional<FolderTrail> trail = std::nullopt;

    [[nodiscard]] static Destination folder(std::filesystem::path dir) {
        return {Type::folder, std::move(dir), std::nullopt};
    }
    [[nodiscard]] static Destination trash() { return {Type::trash, {}, std::nullopt}; }

    // The same place, however it was found.
    bool operator==(const Destination& other) const {
        return type == other.type && path == other.path;
    }
};

// The destination a suggestion asks for; nothing for keep and ask.
[[nodiscard]] std::optional<Destination> destination(const Suggestion& suggestion,
                                                     const std::filesystem::path& home);

// The destination with the trail to its folder as it is now, which later moves hold it to.
[[nodiscard]] Destination reviewed(Destination destination);

// The same for the many destinations of one plan, each folder's trail taken once.
class ReviewedDestinations {
public:
    [[nodiscard]] Destination operator()(Destination destination);

private:
    std::unordered_map<std::string, std::optional<FolderTrail>> trails_;
};

} // namespace vesk

template <> struct std::hash<vesk::Destination> {
    std::size_t operator()(const vesk::Destination& destination) const noexcept;
};
