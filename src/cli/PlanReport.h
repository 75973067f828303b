#pragma once

#include "core/placement/OrganizerProgress.h"
#include "core/plan/Plan.h"

#include <filesystem>
#include <string>

namespace vesk {

// The plan as one JSON object (see the README for its fields).
[[nodiscard]] std::string planJson(const Plan& plan);

// The plan for people: suggestions grouped by destination as the review window groups them,
// largest folder first, then the Trash, then what needs a decision, each file with its reason.
[[nodiscard]] std::string planText(const Plan& plan, const std::filesystem::path& home);

// What the organizer is doing, for the one-line display on a terminal while the plan is made.
[[nodiscard]] std::string progressLine(const OrganizerProgress& progress);

} // namespace vesk
