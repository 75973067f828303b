#pragma once

#include <map>
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

} // namespace vesk
