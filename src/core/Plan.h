#pragma once

#include "core/Suggestion.h"
#include "core/Targets.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// What a folder is for, as the model described it.
struct Profile {
    std::string purpose;
    std::vector<std::string> keywords;

    bool operator==(const Profile&) const = default;
};

// Target index -> profile; a folder without an entry has no profile.
using Profiles = std::map<int, Profile>;

// The result of one organizer run.
struct Plan {
    std::vector<Suggestion> suggestions;
    std::vector<Target> targets;
    bool isFinal = false;
    std::optional<std::string> llmUnavailable;
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

struct OrganizerSettings {
    std::filesystem::path home;
    std::vector<std::filesystem::path> sources;
    double minAgeDays = 3;
    bool allowContent = false;
    bool useLLM = true;
    bool useQA = true;
    double threshold = 0.45;
    std::optional<std::filesystem::path> profileCache;
    bool verbose = false;

    OrganizerSettings() = default;
    // One source folder, or the home's Downloads folder when none is given.
    explicit OrganizerSettings(std::filesystem::path homeFolder,
                               std::optional<std::filesystem::path> source = std::nullopt);

    bool operator==(const OrganizerSettings&) const = default;
};

struct OrganizerProgress {
    enum class Stage { scanning, understandingFolders, placing, reviewing };

    Stage stage = Stage::scanning;
    int done = 0; // placing and reviewing only
    int total = 0;

    bool operator==(const OrganizerProgress&) const = default;
};

} // namespace vesk
