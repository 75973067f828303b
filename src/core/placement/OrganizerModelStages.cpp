// The organizer's stages that use the local model: folder profiles, placing what the rules
// and name similarity left undecided, and a second look at uncertain decisions. The model's
// answers are kept per question, so the frequent rescans never ask the same thing twice.

#include "core/placement/Organizer.h"
#include "core/placement/OrganizerRun.h"

#include "core/model/FolderProfiles.h"
#include "core/model/ProfileCache.h"

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

// A rejection turns the suggestion into a question for the person, naming what it was.
void applyVerdict(Suggestion& suggestion, const Verdict& verdict) {
    if (verdict.kind != Verdict::Case::rejected) {
        return;
    }
    suggestion = Suggestion{suggestion.item,
                            Action::ask(),
                            Layer::none,
                            std::nullopt,
                            std::nullopt,
                            "质检否决（原建议 " + suggestion.action.key() + "，" +
                                std::string(rawValue(suggestion.layer)) + "）：" + verdict.text};
}

// A file the model is asked about, with the folders offered and the question as kept.
struct Pending {
    std::size_t index; // into the run's items, or the suggestion list under review
    std::vector<int> offered;
    ModelAnswers::Question question;
};

} // namespace

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
    run.plan.profiledFolders = static_cast<int>(run.profiles.size());

    std::vector<Pending> toPlace;
    for (std::size_t i = 0; i < run.items.size() && !run.stopped(); ++i) {
        if (run.results[i] || run.tokens[i].empty() || !isPlaceable(run.items[i].kind)) {
            continue;
        }
        auto candidates = run.matcher->shortlist(run.tokens[i], run.items[i].kind, run.profiles,
                                                 placementCandidates);
        auto question = ModelAnswers::placing(run.items[i], candidates, run.targets);
        if (const auto known = answers_.placement(question, candidates, run.targets)) {
            decidePlacement(run, i, *known);
        } else {
            toPlace.push_back({i, std::move(candidates), std::move(question)});
        }
    }

    const int total = static_cast<int>(toPlace.size());
    for (int k = 0; k < total && !run.stopped(); ++k) {
        auto& [i, candidates, question] = toPlace[static_cast<std::size_t>(k)];
        report({OrganizerProgress::Stage::placing, k, total});
        const auto placement = llm.place(run.items[i], candidates, run.targets, run.profiles);
        if (placement) {
            decidePlacement(run, i, *placement);
        }
        // Left undecided, the file goes on to the content stage and the fallback, which are
        // decided afresh every run: only the model's own answer is kept.
        run.asked.push_back({std::move(question), placement});
    }
}

void Organizer::decidePlacement(Run& run, std::size_t item, const Placement& placement) {
    if (!placement.target || placement.confidence == "low") {
        return;
    }
    const int target = *placement.target;
    run.results[item] = Suggestion{
        run.items[item], Action::move(run.targets[static_cast<std::size_t>(target)].label),
        Layer::llm,      target,
        std::nullopt,    placement.what + " · " + placement.confidence};
}

void Organizer::reviewWithModel(Run& run, std::vector<Suggestion>& list, LocalLLM& llm,
                                const Report& report) {
    std::vector<Pending> toReview;
    for (std::size_t i = 0; i < list.size() && !run.stopped(); ++i) {
        Suggestion& suggestion = list[i];
        const bool uncertain =
            suggestion.layer == Layer::llm ||
            ((suggestion.layer == Layer::match || suggestion.layer == Layer::content) &&
             isWeak(suggestion));
        if (!suggestion.target || !uncertain) {
            continue;
        }
        auto alternatives = run.matcher->shortlist(run.tokens[i], suggestion.item.kind,
                                                   run.profiles, reviewAlternatives);
        auto question =
            ModelAnswers::reviewing(suggestion.item, *suggestion.target, alternatives, run.targets);
        if (const auto known = answers_.verdict(question)) {
            applyVerdict(suggestion, *known);
        } else {
            toReview.push_back({i, std::move(alternatives), std::move(question)});
        }
    }

    const int total = static_cast<int>(toReview.size());
    for (int k = 0; k < total && !run.stopped(); ++k) {
        auto& [i, alternatives, question] = toReview[static_cast<std::size_t>(k)];
        report({OrganizerProgress::Stage::reviewing, k, total});
        Suggestion& suggestion = list[i];
        const Verdict verdict = llm.review(suggestion.item, *suggestion.target, run.targets,
                                           run.profiles, alternatives);
        switch (verdict.kind) {
        case Verdict::Case::approved:
            ++run.plan.qaApproved;
            break;
        case Verdict::Case::rejected:
            ++run.plan.qaRejected;
            break;
        case Verdict::Case::failed:
            ++run.plan.qaFailed; // the suggestion stands, and the next scan asks again
            break;
        }
        applyVerdict(suggestion, verdict);
        run.asked.push_back({std::move(question), verdict});
    }
}

void Organizer::remember(const Run& run) {
    if (settings_.profileCache) {
        saveProfileCache(*settings_.profileCache, run.profiles, run.targets);
    }
    answers_.update(run.asked, run.items, run.targets);
}

} // namespace vesk
