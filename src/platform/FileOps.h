#pragma once

#include "platform/OpenFolder.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace vesk::platform {

// Moving an entry (file, folder, package or symbolic link) never replaces anything. Within one
// file system it is a rename. Across file systems it is done in steps, so that a caller can
// record each one and sync many copies at once: the entry is copied under a hidden temporary
// name in the target folder (folders recursively, keeping permissions, times and extended
// attributes where the target allows), the complete copy is given its name, and once copies
// are on disk their sources are removed.

// Renames `from` to `name` in `into`. A taken name gives errc::file_exists, another file system
// errc::cross_device_link; either way nothing has changed.
[[nodiscard]] std::error_code renameInto(const std::filesystem::path& from, const OpenFolder& into,
                                         const std::string& name);

// The source as a copy of it began: what tells, before the source is removed, that nothing
// was written to it meanwhile.
struct SourceState {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    timespec modified{};
    timespec changed{};
    bool isFolder = false;
};

// A fresh hidden name for an unfinished copy: ".vesk-partial-" and random hex digits.
[[nodiscard]] std::string partialName();
[[nodiscard]] bool isPartialName(const std::string& name);

// Copies `from` into `into` under `partial`. A source that could not be removed afterwards
// (a read-only volume or folder) is not copied at all; a copy that fails is removed again.
[[nodiscard]] std::error_code copyInto(const std::filesystem::path& from, const OpenFolder& into,
                                       const std::string& partial, SourceState& before);

// Gives a complete copy its name; errc::file_exists when the name is taken, the copy then
// keeping its hidden name.
[[nodiscard]] std::error_code showCopy(const OpenFolder& into, const std::string& partial,
                                       const std::string& name);

// A copy under its name whose source still exists.
struct PlacedCopy {
    std::filesystem::path source;
    std::filesystem::path copy;
    SourceState before;
};

struct SettledCopy {
    enum class Outcome { moved, sourceChanged, failed };
    Outcome outcome = Outcome::failed;
    std::error_code error; // for failed
};

// Makes the copies durable with one sync per file system, then removes each source that is
// as it was when its copy began. A source written to meanwhile, or one that cannot be removed,
// stays; its copy is removed again.
[[nodiscard]] std::vector<SettledCopy> settleCopies(const std::vector<PlacedCopy>& copies);

// Removes a copy, also one whose folders were made read-only like their originals.
void removeCopy(const std::filesystem::path& copy);

// All the steps for one entry.
[[nodiscard]] std::error_code moveEntry(const std::filesystem::path& from,
                                        const std::filesystem::path& to);

} // namespace vesk::platform
