#include "core/model/ProfileCache.h"

#include "core/model/AnswerProperties.h"
#include "core/util/AtomicFile.h"
#include "core/text/ExactText.h"
#include "core/util/WholeFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>

namespace vesk {

using nlohmann::ordered_json;

namespace {

// Profiles of thousands of folders stay far below this.
constexpr std::size_t storedFileLimit = 64U << 20U;

[[nodiscard]] std::optional<CachedProfile> decodeEntry(const ordered_json& entry) {
    if (!entry.is_object() || !entry.contains("signature") || !entry["signature"].is_string() ||
        !entry.contains("profile") || !entry["profile"].is_object()) {
        return std::nullopt;
    }
    const auto& profile = entry["profile"];
    const auto purpose = stringProperty(profile, "purpose");
    const auto keywords = stringsProperty(profile, "keywords");
    if (!purpose || !keywords) {
        return std::nullopt;
    }
    return CachedProfile{entry["signature"].get<std::string>(), {*purpose, *keywords}};
}

} // namespace

std::string folderSignature(const Target& target) {
    auto names = target.siblingNames;
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) {
        if (&name != &names.front()) {
            joined += '\x1f';
        }
        joined += name;
    }
    return joined;
}

std::optional<Profile> cachedProfile(const ProfileCache& cache, const Target& target) {
    // Stored and present names are compared in the one form JSON keeps byte for byte.
    const auto hit = cache.find(exactText(target.label));
    if (hit == cache.end() || hit->second.signature != exactText(folderSignature(target))) {
        return std::nullopt;
    }
    return hit->second.profile;
}

ProfileCache loadProfileCache(const std::filesystem::path& file) {
    const auto text = readWholeFile(file, storedFileLimit);
    if (!text) {
        return {};
    }
    const auto root = ordered_json::parse(*text, nullptr, false);
    if (!root.is_object()) {
        return {};
    }
    ProfileCache cache;
    for (const auto& [label, entry] : root.items()) {
        auto decoded = decodeEntry(entry);
        if (!decoded) {
            return {};
        }
        cache.emplace(label, std::move(*decoded));
    }
    return cache;
}

void saveProfileCache(const std::filesystem::path& file, const Profiles& profiles,
                      const std::vector<Target>& targets) {
    ordered_json root = ordered_json::object();
    for (const auto& [id, profile] : profiles) {
        const auto& target = targets[static_cast<std::size_t>(id)];
        root[exactText(target.label)] = {
            {"signature", exactText(folderSignature(target))},
            {"profile", {{"purpose", profile.purpose}, {"keywords", profile.keywords}}}};
    }
    const auto bytes = root.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
    static_cast<void>(writeFileAtomically(file, bytes));
}

} // namespace vesk
