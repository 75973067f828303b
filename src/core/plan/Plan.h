#pragma once

#include "core/plan/ModelUnavailable.h"
#include "core/plan/PlanTargets.h"
#include "core/plan/Suggestions.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// How a plan differs from an earlier final plan of the same organizer, made on the same
// folders: the suggestions decided afresh and the files that left. Every other suggestion is as
// it was there, so whoever shows that plan needs to look at these alone.
struct PlanChanges {
    std::uint64_t since = 0;          // the earlier plan's serial
    std::vector<std::size_t> decided; // positions in the plan's suggestions, ascending
    std::vector<std::filesystem::path> left;

    bool operator==(const PlanChanges&) const = default;
};

// Where a plan stands among the plans of its organizer. No part of what the plan says: plans that
// say the same are equal whichever runs made them.
struct PlanLineage {
    std::uint64_t serial = 0; // final plans: distinct among the plans of every organizer
    std::optional<PlanChanges> changes;

    bool operator==(const PlanLineage&) const { return true; }
};

// The result of one organizer run.
struct Plan {
    Suggestions suggestions;
    // Without the names of the files inside them: only the matcher and the name index read
    // those, as they are made.
    PlanTargets targets;
    bool isFinal = false;
    // Why the model could not be used, and what the service said about it, one line; empty
    // when it said nothing.
    std::optional<ModelUnavailable> llmUnavailable;
    std::string llmDetail;
    int profiledFolders = 0;
    int llmCalls = 0;
    int llmFailures = 0;
    double llmSeconds = 0;
    int contentReads = 0;
    int qaApproved = 0;
    int qaRejected = 0;
    int qaFailed = 0;
    // Files this run decided; the organizer kept its earlier decisions for the others.
    int decided = 0;
    PlanLineage lineage;

    bool operator==(const Plan&) const = default;
};

} // namespace vesk
