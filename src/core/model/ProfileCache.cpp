#include "core/model/ProfileCache.h"

#include "core/model/AnswerProperties.h"
#include "core/util/AtomicFile.h"
#include "core/text/ExactText.h"
#include "core/util/WholeFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <string_view>

namespace vesk {

using nlohmann::ordered_json;

namespace {

// Profiles of thousands of folders stay far below this.
constexpr std::size_t storedFileLimit = 64U << 20U;

[[nodiscard]] std::optional<CachedProfile> decodeEntry(const nlohmann::json& entry) {
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
    // Sorted as views: copying a large folder's names only to sort them costs more than the rest.
    std::vector<std::string_view> names(target.siblingNames.begin(), target.siblingNames.end());
    std::sort(names.begin(), names.end());
    std::size_t size = names.size();
    for (const auto name : names) {
        size += name.size();
    }
    std::string joined;
    joined.reserve(size);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            joined += '\x1f';
        }
        joined += names[i];
    }
    return joined;
}

std::vector<std::string> folderSignatures(const std::vector<Target>& targets) {
    std::vector<std::string> signatures;
    signatures.reserve(targets.size());
    for (const auto& target : targets) {
        signatures.push_back(folderSignature(target));
    }
    return signatures;
}

std::optional<Profile> cachedProfile(const ProfileCache& cache, const Target& target,
                                     const std::string& signature) {
    // Stored and present names are compared in the one form JSON keeps byte for byte.
    const auto hit = cache.find(exactText(target.label));
    if (hit == cache.end() || hit->second.signature != exactText(signature)) {
        return std::nullopt;
    }
    return hit->second.profile;
}

ProfileCache loadProfileCache(const std::filesystem::path& file) {
    const auto text = readWholeFile(file, storedFileLimit);
    if (!text) {
        return {};
    }
    // Read into sorted members: keeping the file's order makes every member a search of
    // those before it, which a thousand folders already feel.
    const auto root = nlohmann::json::parse(*text, nullptr, false);
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
                      const std::vector<Target>& targets,
                      const std::vector<std::string>& signatures) {
    ordered_json root = ordered_json::object();
    for (const auto& [id, profile] : profiles) {
        const auto at = static_cast<std::size_t>(id);
        root[exactText(targets[at].label)] = {
            {"signature", exactText(signatures[at])},
            {"profile", {{"purpose", profile.purpose}, {"keywords", profile.keywords}}}};
    }
    const auto bytes = root.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
    static_cast<void>(writeFileAtomically(file, bytes));
}

} // namespace vesk
