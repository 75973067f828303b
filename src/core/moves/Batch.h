#pragma once

#include "core/util/Dates.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vesk {

// One file moved: where it was and where it went.
struct MoveRecord {
    std::filesystem::path original;
    std::filesystem::path moved;

    bool operator==(const MoveRecord&) const = default;
};

// One application of moves, the unit that undo takes back.
struct Batch {
    std::string id; // upper-case UUID
    Date date;
    std::vector<MoveRecord> records;                   // in the order of the moves
    std::vector<std::filesystem::path> createdFolders; // shallowest first per destination

    bool operator==(const Batch&) const = default;
};

} // namespace vesk
