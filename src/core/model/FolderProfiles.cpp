// Folder profiles: what each target folder is for, asked of the model a few folders at a time
// and cached by the names of the files inside.

#include "core/model/FolderProfiles.h"

#include "core/model/AnswerProperties.h"
#include "core/util/InOrder.h"

#include <nlohmann/json.hpp>
#include <unicode/brkiter.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace vesk::FolderProfiles {

using nlohmann::ordered_json;

namespace {

constexpr const char* profileInstructions =
    "You look at the folders on a person's computer and describe what each one is for, judging "
    "only from the folder path and the names of files inside it.";

constexpr const char* purposeDescription =
    "What this folder is for, at most 10 words, specific enough to tell it apart from the other "
    "folders listed (e.g. \"Kitchen renovation quotes and drawings\" rather than \"Home "
    "documents\")";

constexpr const char* keywordsDescription =
    "6-10 words a file belonging here might have in its name, in English and in the folder's own "
    "language";

constexpr int sampleNames = 8;
constexpr int sampleLength = 40;

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

std::string describe(const Target& target, int samples) {
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

namespace {

// One request for several folders; an empty map when it failed.
Profiles profileBatch(LocalLLM& llm, const std::vector<int>& ids,
                      const std::vector<Target>& targets) {
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
    const auto answer = llm.respond(profileInstructions, prompt, schema);
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
        const auto id = std::find_if(labels.begin(), labels.end(), [&](const std::string& label) {
            return asSent(label) == *path;
        });
        if (id == labels.end()) {
            continue;
        }
        result[ids[static_cast<std::size_t>(id - labels.begin())]] =
            Profile{stringProperty(element, "purpose").value_or(""),
                    stringsProperty(element, "keywords").value_or(std::vector<std::string>{})};
    }
    return result;
}

} // namespace

Profiles profile(LocalLLM& llm, const std::vector<Target>& targets,
                 const std::vector<std::string>& signatures, const ProfileCache& cached, int batch,
                 const std::function<void(int done, int total)>& progress) {
    Profiles result;
    std::vector<int> needed;
    for (int i = 0; i < static_cast<int>(targets.size()); ++i) {
        const auto& target = targets[static_cast<std::size_t>(i)];
        if (target.isProject) {
            continue;
        }
        if (auto profile = cachedProfile(cached, target, signatures[static_cast<std::size_t>(i)])) {
            result[i] = std::move(*profile);
        } else {
            needed.push_back(i);
        }
    }
    const auto size = static_cast<std::size_t>(std::max(batch, 1));
    std::vector<std::vector<int>> chunks;
    for (std::size_t start = 0; start < needed.size(); start += size) {
        chunks.emplace_back(
            needed.begin() + static_cast<std::ptrdiff_t>(start),
            needed.begin() + static_cast<std::ptrdiff_t>(std::min(start + size, needed.size())));
    }
    const int total = static_cast<int>(chunks.size());
    if (progress && total > 0) {
        progress(0, total);
    }
    // Chunks are described side by side; each folder's profile comes from its own chunk's
    // answers, so the result does not depend on which chunk is answered first.
    const auto describeChunk = [&](std::size_t k) {
        const auto& chunk = chunks[k];
        auto described = profileBatch(llm, chunk, targets);
        // A folder the batch answer left out gets one request of its own.
        for (const int id : chunk) {
            if (!described.contains(id)) {
                described.merge(profileBatch(llm, {id}, targets));
            }
        }
        return described;
    };
    inOrder(chunks.size(), llm.parallel(), llm.stop(), describeChunk,
            [&](std::size_t k, Profiles described) {
                for (auto& [id, profile] : described) {
                    result[id] = std::move(profile);
                }
                if (progress) {
                    progress(static_cast<int>(k) + 1, total);
                }
            });
    return result;
}

} // namespace vesk::FolderProfiles
