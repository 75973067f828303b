#pragma once

#include "core/plan/Destination.h"
#include "core/plan/Suggestion.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace vesk {

// One file under review. Identified by the file's path.
struct Row {
    // As the plan has it: shared with the plan and the organizer's memory, never copied.
    std::shared_ptr<const Suggestion> suggestion;
    std::optional<Destination> destination; // absent: the file stays
    bool included = false;
    bool edited = false; // the person's destination and choice win over later suggestions

    [[nodiscard]] const std::filesystem::path& file() const { return suggestion->item.path; }
    // Takes part in the next tidy: a row without a destination never does.
    [[nodiscard]] bool isPending() const { return destination.has_value() && included; }
    // The person said "Don't Tidy": only they take it back.
    [[nodiscard]] bool isIgnored() const { return edited && !destination; }

    // Equal when they say the same, whether they share the suggestion or not.
    bool operator==(const Row& other) const {
        return *suggestion == *other.suggestion && destination == other.destination &&
               included == other.included && edited == other.edited;
    }
};

// Rows that share a destination.
struct RowGroup {
    enum class Type { folder, trash, unsorted, ignored };
    // What the rows of a group share: where they go.
    struct Key {
        Type type = Type::unsorted;
        std::filesystem::path folder; // only for Type::folder

        bool operator==(const Key&) const = default;
    };

    Key key;
    std::vector<Row> rows; // in the order of the model's rows

    bool operator==(const RowGroup&) const = default;
};

} // namespace vesk
