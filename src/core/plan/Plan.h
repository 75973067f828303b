#pragma once

#include "core/plan/ModelUnavailable.h"
#include "core/plan/Suggestion.h"
#include "core/targets/Targets.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The result of one organizer run.
struct Plan {
    std::vector<Suggestion> suggestions;
    std::vector<Target> targets;
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

    bool operator==(const Plan&) const = default;
};

} // namespace vesk
