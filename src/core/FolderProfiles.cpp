// Folder profiles: what each target folder is for, asked of the model a few folders at a time
// and cached by the names of the files inside.

#include "core/AtomicFile.h"
#include "core/LocalLLM.h"
#include "core/ModelAnswer.h"

#include <nlohmann/json.hpp>
#include <unicode/brkiter.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

namespace vesk {

using nlohmann::ordered_json;

namespace {

constexpr const char* profileInstructions =
    "You look at the folders on a person's Mac and describe what each one is for, judging only "
    "from the folder path and the names of files inside it.";

constexpr const char* purposeDescription =
    "What this folder is for, at most 10 words, specific enough to tell it apart from the other "
    "folders listed (e.g. \"Kitchen renovation quotes and drawings\" rather than \"Home "
    "documents\")";

constexpr const char* keywordsDescription =
    "6-10 words a file belonging here might have in its name, in English and in the folder's own "
    "language";

constexpr int sampleNames = 8;
constexpr int sampleLength = 40;

struct CachedProfile {
    std::string signature;
    Profile profile;
};

using ProfileCache = std::map<std::string, CachedProfile>;

// The folder's file names in a fixed order, so only a changed set of names changes it.
[[nodiscard]] std::string signature(const Target& target) {
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

// A cache that is missing or not entirely of the expected form counts as empty.
[[nodiscard]] ProfileCache loadCache(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto root = ordered_json::parse(text, nullptr, false);
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

void saveCache(const std::filesystem::path& file, const Profiles& profiles,
               const std::vector<Target>& targets) {
    ordered_json root = ordered_json::object();
    for (const auto& [id, profile] : profiles) {
        const auto& target = targets[static_cast<std::size_t>(id)];
        root[target.label] = {
            {"signature", signature(target)},
            {"profile", {{"purpose", profile.purpose}, {"keywords", profile.keywords}}}};
    }
    const auto bytes = root.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
    // Best effort: a cache that can't be written only costs requests next run.
    static_cast<void>(writeFileAtomically(file, bytes));
}

// The first `length` user-perceived characters of a name.
[[nodiscard]] std::string cut(const std::string& name, int length) {
    thread_local const std::unique_ptr<icu::BreakIterator> characters = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> iterator(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(iterator) : nullptr;
    }();
    const auto text = icu::UnicodeString::fromUTF8(name);
    if (!characters) {
        return name;
    }
    characters->setText(text);
    int32_t end = characters->first();
    for (int i = 0; i < length; ++i) {
        const int32_t next = characters->next();
        if (next == icu::BreakIterator::DONE) {
            return name;
        }
        end = next;
    }
    std::string result;
    text.tempSubString(0, end).toUTF8String(result);
    return result;
}

} // namespace

std::string LocalLLM::describe(const Target& target, int samples) {
    std::string text = "- " + target.label;
    if (target.siblingNames.empty()) {
        return text;
    }
    text += "\n  files: ";
    const auto count = std::min<std::size_t>(target.siblingNames.size(),
                                             static_cast<std::size_t>(std::max(samples, 0)));
    for (std::size_t i = 0; i < count; ++i) {
        text += (i == 0 ? "" : ", ") + cut(target.siblingNames[i], sampleLength);
    }
    return text;
}

Profiles LocalLLM::profileBatch(const std::vector<int>& ids, const std::vector<Target>& targets) {
    std::vector<std::string> labels;
    std::string prompt = "Describe each of these folders:";
    for (const int id : ids) {
        const auto& target = targets[static_cast<std::size_t>(id)];
        labels.push_back(target.label);
        prompt += '\n';
        prompt += describe(target, sampleNames);
    }
    const int count = static_cast<int>(ids.size());
    const auto folder = GenerationSchema::object(
        "Folder", {{"path", std::nullopt, GenerationSchema::choice("Path", labels)},
                   {"purpose", purposeDescription, GenerationSchema::string()},
                   {"keywords", keywordsDescription,
                    GenerationSchema::list(GenerationSchema::string(), std::nullopt, 10)}});
    const auto schema = GenerationSchema::object(
        "Profiles", {{"folders", std::nullopt, GenerationSchema::list(folder, count, count)}});
    const auto answer = respond(profileInstructions, prompt, schema);
    if (!answer) {
        return {};
    }
    const auto folders = objectsProperty(*answer, "folders");
    if (!folders) {
        return {};
    }
    Profiles result;
    for (const auto& element : *folders) {
        const auto path = stringProperty(element, "path");
        if (!path) {
            continue;
        }
        const auto id = std::find(labels.begin(), labels.end(), *path);
        if (id == labels.end()) {
            continue;
        }
        result[ids[static_cast<std::size_t>(id - labels.begin())]] =
            Profile{stringProperty(element, "purpose").value_or(""),
                    stringsProperty(element, "keywords").value_or(std::vector<std::string>{})};
    }
    return result;
}

Profiles LocalLLM::profile(const std::vector<Target>& targets,
                           const std::optional<std::filesystem::path>& cache, int batch) {
    const auto cached = cache ? loadCache(*cache) : ProfileCache{};
    Profiles result;
    std::vector<int> needed;
    for (int i = 0; i < static_cast<int>(targets.size()); ++i) {
        const auto& target = targets[static_cast<std::size_t>(i)];
        if (target.isProject) {
            continue;
        }
        const auto hit = cached.find(target.label);
        if (hit != cached.end() && hit->second.signature == signature(target)) {
            result[i] = hit->second.profile;
        } else {
            needed.push_back(i);
        }
    }
    const auto size = static_cast<std::size_t>(std::max(batch, 1));
    for (std::size_t start = 0; start < needed.size(); start += size) {
        const std::vector<int> chunk(
            needed.begin() + static_cast<std::ptrdiff_t>(start),
            needed.begin() + static_cast<std::ptrdiff_t>(std::min(start + size, needed.size())));
        for (auto& [id, profile] : profileBatch(chunk, targets)) {
            result[id] = std::move(profile);
        }
        // A folder the batch answer left out gets one request of its own.
        for (const int id : chunk) {
            if (!result.contains(id)) {
                for (auto& [single, profile] : profileBatch({id}, targets)) {
                    result[single] = std::move(profile);
                }
            }
        }
    }
    if (cache) {
        saveCache(*cache, result, targets);
    }
    return result;
}

} // namespace vesk
