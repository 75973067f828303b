#pragma once

namespace vesk {

// What a run is doing, reported while it works.
struct OrganizerProgress {
    enum class Stage { scanning, understandingFolders, placing, reviewing };

    Stage stage = Stage::scanning;
    int done = 0; // placing and reviewing only
    int total = 0;

    bool operator==(const OrganizerProgress&) const = default;
};

} // namespace vesk
