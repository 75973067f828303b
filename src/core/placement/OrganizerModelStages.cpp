// The organizer's stages that use the local model: folder profiles, placing what the rules
// and name similarity left undecided, and a second look at uncertain decisions. A memo keeps
// the model's answers per file, so the frequent rescans never ask about the same file twice.

#include "core/placement/Organizer.h"
#include "core/placement/OrganizerRun.h"

#include "core/model/FolderProfiles.h"
#include "core/model/ProfileCache.h"

#include <charconv>
#include <chrono>
#include <numeric>

namespace vesk {

namespace {

constexpr int profileBatch = 8;
constexpr int placementCandidates = 20;
constexpr int reviewAlternatives = 6;
constexpr double weakScore = 0.65;

bool isPlaceable(Kind kind) {
    return kind != Kind::installer && kind != Kind::archive && kind != Kind::app &&
           kind != Kind::font;
}

bool isWeak(const Suggestion& suggestion) {
    return !suggestion.score || *suggestion.score < weakScore;
}

std::string targetSignature(const std::vector<Target>& targets) {
    std::string signature;
    for (const auto& target : targets) {
        if (!signature.empty()) {
            signature += '\n';
        }
        signature += target.label;
    }
    return signature;
}

// The shortest text that reads back as the same double, always with a decimal point.
std::string shortestDecimal(double value) {
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    std::string result(text, ec == std::errc() ? end : text);
    if (result.find_first_of(".eE") == std::string::npos) {
        result += ".0";
    }
    return result;
}

} // namespace

std::string Organizer::memoKey(const FileItem& item) {
    double added = 0.0;
    if (item.added) {
        added = std::chrono::duration<double>(item.added->time_since_epoch()).count();
    }
    return item.url.native() + "|" + std::to_string(item.size) + "|" + shortestDecimal(added);
}

void Organizer::refreshMemo(const std::vector<Target>& targets) {
    // Remembered suggestions carry target indices, valid only for the same target list.
    std::string signature = targetSignature(targets);
    if (signature != memoFolders_) {
        memo_.clear();
        memoFolders_ = std::move(signature);
    }
}

bool Organizer::modelNeeded(const Run& run) {
    for (std::size_t i = 0; i < run.items.size(); ++i) {
        const auto& result = run.results[i];
        if (!result && !run.tokens[i].empty() && isPlaceable(run.items[i].kind)) {
            return true;
        }
        if (result && result->layer == Layer::match && isWeak(*result)) {
            return true;
        }
    }
    return false;
}

void Organizer::placeWithModel(Run& run, LocalLLM& llm, const Report& report) {
    report({OrganizerProgress::Stage::understandingFolders});
    const auto cached =
        settings_.profileCache ? loadProfileCache(*settings_.profileCache) : ProfileCache{};
    run.profiles = FolderProfiles::profile(llm, run.targets, cached, profileBatch);
    if (settings_.profileCache) {
        saveProfileCache(*settings_.profileCache, run.profiles, run.targets);
    }
    run.plan.profiledFolders = static_cast<int>(run.profiles.size());

    std::vector<std::size_t> toPlace;
    for (std::size_t i = 0; i < run.items.size(); ++i) {
        if (run.results[i] || run.tokens[i].empty() || !isPlaceable(run.items[i].kind)) {
            continue;
        }
        if (const auto hit = memo_.find(memoKey(run.items[i])); hit != memo_.end()) {
            run.results[i] = hit->second;
        } else {
            toPlace.push_back(i);
        }
    }

    const int total = static_cast<int>(toPlace.size());
    for (int k = 0; k < total; ++k) {
        const std::size_t i = toPlace[static_cast<std::size_t>(k)];
        const FileItem& item = run.items[i];
        report({OrganizerProgress::Stage::placing, k, total});
        const auto candidates =
            run.matcher->shortlist(run.tokens[i], item.kind, run.profiles, placementCandidates);
        const auto placement = llm.place(item, candidates, run.targets, run.profiles);
        if (placement && placement->target && placement->confidence != "low") {
            const int target = *placement->target;
            run.results[i] = Suggestion{
                item,         Action::move(run.targets[static_cast<std::size_t>(target)].label),
                Layer::llm,   target,
                std::nullopt, placement->what + " · " + placement->confidence};
        }
        // A decided item is remembered after its review; otherwise remember the outcome now,
        // so an item the model could not place is not offered again.
        if (!run.results[i] || !settings_.useQA) {
            memo_[memoKey(item)] = fallback(run, i);
        }
    }
}

void Organizer::reviewWithModel(Run& run, std::vector<Suggestion>& list, LocalLLM& llm,
                                const Report& report) {
    std::vector<std::size_t> toReview;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Suggestion& suggestion = list[i];
        const bool uncertain =
            suggestion.layer == Layer::llm ||
            ((suggestion.layer == Layer::match || suggestion.layer == Layer::content) &&
             isWeak(suggestion));
        if (!suggestion.target || !uncertain) {
            continue;
        }
        if (const auto hit = memo_.find(memoKey(suggestion.item)); hit != memo_.end()) {
            list[i] = hit->second;
        } else {
            toReview.push_back(i);
        }
    }
    if (toReview.empty()) {
        return;
    }

    const int total = static_cast<int>(toReview.size());
    for (int k = 0; k < total; ++k) {
        report({OrganizerProgress::Stage::reviewing, k, total});
        Suggestion& suggestion = list[toReview[static_cast<std::size_t>(k)]];
        const std::size_t item = toReview[static_cast<std::size_t>(k)];
        const auto alternatives = run.matcher->shortlist(run.tokens[item], suggestion.item.kind,
                                                         run.profiles, reviewAlternatives);
        const Verdict verdict = llm.review(suggestion.item, *suggestion.target, run.targets,
                                           run.profiles, alternatives);
        switch (verdict.kind) {
        case Verdict::Case::approved:
            ++run.plan.qaApproved;
            break;
        case Verdict::Case::rejected:
            ++run.plan.qaRejected;
            suggestion =
                Suggestion{suggestion.item,
                           Action::ask(),
                           Layer::none,
                           std::nullopt,
                           std::nullopt,
                           "质检否决（原建议 " + suggestion.action.key() + "，" +
                               std::string(rawValue(suggestion.layer)) + "）：" + verdict.text};
            break;
        case Verdict::Case::failed:
            ++run.plan.qaFailed;
            break;
        }
        memo_[memoKey(suggestion.item)] = suggestion;
    }
}

} // namespace vesk
