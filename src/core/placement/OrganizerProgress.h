#pragma once

namespace vesk {

// What a run is doing, reported while it works.
struct OrganizerProgress {
    enum class Stage { scanning, comparing, understandingFolders, placing, reviewing };

    Stage stage = Stage::scanning;
    int done = 0; // comparing, placing and reviewing only
    int total = 0;
    int filesRead = 0;   // scanning only: waiting files found in the source folders so far
    int foldersRead = 0; // scanning only: folders listed while looking for destinations

    bool operator==(const OrganizerProgress&) const = default;
};

} // namespace vesk
