#pragma once

#include "core/util/Dates.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// What tells a moved entry from another one that later took its name: the same entry keeps its
// device, inode and birth time (an inode number is soon reused); a copy of it (on a volume whose
// inode numbers change between mounts) keeps its size and modification time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    Date modified;
    std::optional<Date> born = std::nullopt; // where the file system tells

    bool operator==(const FileIdentity&) const = default;
};

// One file moved: where it was and where it went.
struct MoveRecord {
    std::filesystem::path original;
    std::filesystem::path moved;
    // The entry as it was right after the move; histories written before it was kept have none.
    std::optional<FileIdentity> identity = std::nullopt;
    // Without an identity, the length the record gives, if any (a record edited by hand).
    std::optional<std::int64_t> size = std::nullopt;

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
