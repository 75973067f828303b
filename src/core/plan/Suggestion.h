#pragma once

#include "core/items/FileItem.h"
#include "core/plan/Layer.h"
#include "core/plan/Reason.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// What is to be done with one file.
struct Action {
    enum class Type { move, trash, toApplications, keep, ask };

    // The person's own applications folder, home-relative: where toApplications moves to.
    static constexpr std::string_view applicationsFolder = "Applications";

    Type type = Type::ask;
    std::string path; // home-relative folder, only for Type::move

    [[nodiscard]] static Action move(std::string homeRelativeFolder) {
        return {Type::move, std::move(homeRelativeFolder)};
    }
    [[nodiscard]] static Action trash() { return {Type::trash, {}}; }
    [[nodiscard]] static Action toApplications() { return {Type::toApplications, {}}; }
    [[nodiscard]] static Action keep() { return {Type::keep, {}}; }
    [[nodiscard]] static Action ask() { return {Type::ask, {}}; }

    // Stable text form ("trash", "Applications", the folder path, ...).
    [[nodiscard]] std::string key() const;

    bool operator==(const Action&) const = default;
};

// A folder the name ranking put near the top for a file, with its score: a choice to offer the
// person beside the decision.
struct Candidate {
    int target = 0; // index into the plan's targets
    double score = 0;

    bool operator==(const Candidate&) const = default;
};

// The decision for one file.
struct Suggestion {
    FileItem item;
    Action action;
    Layer layer = Layer::none;
    std::optional<int> target; // index into the plan's targets
    std::optional<double> score;
    Reason reason;
    // The folders the name ranking led with, best first, whatever decided; empty when the file
    // was never ranked (a rule decided it).
    std::vector<Candidate> candidates{};

    [[nodiscard]] const std::filesystem::path& id() const { return item.path; }

    bool operator==(const Suggestion&) const = default;
};

} // namespace vesk

template <> struct std::hash<vesk::Action> {
    std::size_t operator()(const vesk::Action& action) const noexcept;
};
