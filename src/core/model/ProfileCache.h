#pragma once

#include "core/model/Profile.h"
#include "core/targets/Targets.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// A folder's profile together with the signature of the folder it was made for, kept in the
// byte-exact form of names that need not be valid UTF-8.
struct CachedProfile {
    std::string signature;
    Profile profile;

    bool operator==(const CachedProfile&) const = default;
};

// folder-profiles.json: target label (in byte-exact form) -> cached profile.
using ProfileCache = std::map<std::string, CachedProfile>;

// The folder's file names in a fixed order, so only a changed set of names changes it.
[[nodiscard]] std::string folderSignature(const Target& target);
// Every target's signature, in target order: worked out once a run, as sorting a folder's
// names is not free.
[[nodiscard]] std::vector<std::string> folderSignatures(const std::vector<Target>& targets);

// The folder's cached profile, when it was made for the folder's present file names, which
// `signature` gives.
[[nodiscard]] std::optional<Profile> cachedProfile(const ProfileCache& cache, const Target& target,
                                                   const std::string& signature);

// A cache that is missing or not entirely of the expected form counts as empty.
[[nodiscard]] ProfileCache loadProfileCache(const std::filesystem::path& file);
// Writes the profiles of the targets (`signatures` theirs, by target). Best effort: a cache
// that can't be written only costs requests next run.
void saveProfileCache(const std::filesystem::path& file, const Profiles& profiles,
                      const std::vector<Target>& targets,
                      const std::vector<std::string>& signatures);

} // namespace vesk
