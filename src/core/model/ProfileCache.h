#pragma once

#include "core/model/Profile.h"
#include "core/placement/Targets.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vesk {

// A folder's profile together with the signature of the folder it was made for.
struct CachedProfile {
    std::string signature;
    Profile profile;

    bool operator==(const CachedProfile&) const = default;
};

// folder-profiles.json: target label -> cached profile.
using ProfileCache = std::map<std::string, CachedProfile>;

// The folder's file names in a fixed order, so only a changed set of names changes it.
[[nodiscard]] std::string folderSignature(const Target& target);

// A cache that is missing or not entirely of the expected form counts as empty.
[[nodiscard]] ProfileCache loadProfileCache(const std::filesystem::path& file);
// Best effort: a cache that can't be written only costs requests next run.
void saveProfileCache(const std::filesystem::path& file, const Profiles& profiles,
                      const std::vector<Target>& targets);

} // namespace vesk
