#pragma once

#include "core/plan/Suggestion.h"

#include <filesystem>
#include <optional>
#include <utility>

namespace vesk {

// Where one file goes: into a folder (created when missing) or to the Trash.
struct Destination {
    enum class Type { folder, trash };

    Type type = Type::trash;
    std::filesystem::path path; // only for Type::folder

    [[nodiscard]] static Destination folder(std::filesystem::path dir) {
        return {Type::folder, std::move(dir)};
    }
    [[nodiscard]] static Destination trash() { return {Type::trash, {}}; }

    bool operator==(const Destination&) const = default;
};

// The destination a suggestion asks for; nothing for keep and ask.
[[nodiscard]] std::optional<Destination> destination(const Suggestion& suggestion,
                                                     const std::filesystem::path& home);

} // namespace vesk

template <> struct std::hash<vesk::Destination> {
    std::size_t operator()(const vesk::Destination& destination) const noexcept;
};
