#pragma once

#include "core/settings/SettingsTable.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <vector>

namespace vesk {

// What one organizer run is given.
struct OrganizerSettings {
    std::filesystem::path home;
    std::vector<std::filesystem::path> sources;
    // The folders to file into, as the person chose them; absent: discovered in the home.
    std::optional<std::vector<std::filesystem::path>> targetRoots;
    double minAgeDays = settings::minAgeDays.defaultValue;
    bool allowContent = settings::allowContent.defaultValue;
    bool useNameIndex = settings::useNameIndex.defaultValue;
    bool useLLM = true;
    bool useQA = true;
    double threshold = 0.45;
    std::optional<std::filesystem::path> profileCache;
    std::optional<std::filesystem::path> modelAnswers; // the model's answers, kept across runs
    bool verbose = false;
    // The least time between two partial plans while the model answers: each costs the
    // receiver a merge of every row.
    std::chrono::milliseconds partialInterval{1000};
    // How close to a scan a change may come before the scan distrusts what it read of the entry
    // and reads it again next time: the coarsest clock of a file system it expects (FAT counts
    // in steps of two seconds).
    std::chrono::milliseconds changeMargin{3000};
    // The system's data folders (XDG_DATA_DIRS), whose applications/ hold the desktop entries
    // of installed applications. None by default: a run then sees the home's own only.
    std::vector<std::filesystem::path> systemDataFolders;

    OrganizerSettings() = default;
    // One source folder, or the home's Downloads folder when none is given.
    explicit OrganizerSettings(std::filesystem::path homeFolder,
                               std::optional<std::filesystem::path> source = std::nullopt);

    bool operator==(const OrganizerSettings&) const = default;
};

} // namespace vesk
