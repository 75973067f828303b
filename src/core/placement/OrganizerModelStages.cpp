// The organizer's stages that use the local model: folder profiles, placing what the rules
// and name similarity left undecided, and a second look at uncertain decisions. The model's
// answers are kept per question, so the frequent rescans never ask the same thing twice.

#include "core/placement/Organizer.h"
#include "core/placement/OrganizerRun.h"

#include "core/model/FolderProfiles.h"
#include "core/model/ProfileCache.h"
#include "core/util/InOrder.h"

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
    suggestion =
        Suggestion{suggestion.item,
                   Action::ask(),
                   Layer::none,
                   std::nullopt,
                   std::nullopt,
                   {ReasonCode::vetoed,
                    {suggestion.action.key(), suggestion.layer, verdict.category, verdict.text}}};
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
    using Stage = OrganizerProgress::Stage;
    report({Stage::understandingFolders, run.modelDone, run.modelTotal});
    run.signatures = folderSignatures(run.targets);
    run.offered.emplace(run.targets, run.signatures);
    if (run.readingProfiles.valid()) {
        run.cachedProfiles = run.readingProfiles.get();
    } else if (settings_.profileCache) {
        run.cachedProfiles = loadProfileCache(*settings_.profileCache);
    }
    const int before = run.modelDone;
    run.profiles = FolderProfiles::profile(
        llm, run.targets, run.signatures, run.cachedProfiles, profileBatch, [&](int done, int total) {
            if (done == 0) {
                run.modelTotal += total;
                run.profilesAsked = true;
            }
            run.modelDone = before + done;
            report({Stage::understandingFolders, run.modelDone, run.modelTotal});
        });
    run.plan.profiledFolders = static_cast<int>(run.profiles.size());
    run.profiled.emplace(run.matcher->profiled(run.profiles));

    std::vector<Pending> toPlace;
    for (std::size_t i = 0; i < run.items.size() && !run.stopped(); ++i) {
        if (run.results[i] || run.tokens[i].empty() || !isPlaceable(run.items[i].kind)) {
            continue;
        }
        auto candidates = run.matcher->shortlist(run.tokens[i], run.items[i].kind, *run.profiled,
                                                 placementCandidates);
        if (candidates.empty()) {
            continue; // no folder takes files of its kind: nothing to ask
        }
        auto question = ModelAnswers::placing(run.items[i], candidates, *run.offered);
        if (const auto known = answers_.placement(question, candidates, run.targets)) {
            static_cast<void>(decidePlacement(run, i, *known));
        } else {
            toPlace.push_back({i, std::move(candidates), std::move(question)});
        }
    }
    if (toPlace.empty() || run.stopped()) {
        return;
    }

    run.modelTotal += static_cast<int>(toPlace.size());
    report({Stage::placing, run.modelDone, run.modelTotal});
    const auto ask = [&](std::size_t k) {
        const Pending& pending = toPlace[k];
        return llm.place(run.items[pending.index], pending.offered, run.targets, run.profiles);
    };
    // Answers are applied in the files' order, whichever came first, so the plan is the same
    // however many requests were under way.
    inOrder(toPlace.size(), llm.parallel(), run.stop, ask,
            [&](std::size_t k, std::optional<Placement> placement) {
                auto& [i, candidates, question] = toPlace[k];
                if (placement && decidePlacement(run, i, *placement)) {
                    showAnswers(run, nullptr);
                }
                // Left undecided, the file goes on to the content stage and the fallback,
                // which are decided afresh every run: only the model's own answer is kept.
                run.asked.push_back({std::move(question), std::move(placement)});
                ++run.modelDone;
                report({Stage::placing, run.modelDone, run.modelTotal});
            });
}

bool Organizer::decidePlacement(Run& run, std::size_t item, const Placement& placement) {
    if (!placement.target || placement.confidence == "low") {
        return false;
    }
    const int target = *placement.target;
    run.results[item] = Suggestion{
        run.items[item], Action::move(run.targets[static_cast<std::size_t>(target)].label),
        Layer::llm,      target,
        std::nullopt,    {ReasonCode::modelPlacement, {placement.what, placement.confidence}}};
    return true;
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
                                                   *run.profiled, reviewAlternatives);
        auto question = ModelAnswers::reviewing(suggestion.item, *suggestion.target, alternatives,
                                                *run.offered);
        if (const auto known = answers_.verdict(question)) {
            applyVerdict(suggestion, *known);
        } else {
            toReview.push_back({i, std::move(alternatives), std::move(question)});
        }
    }
    if (toReview.empty() || run.stopped()) {
        return;
    }

    using Stage = OrganizerProgress::Stage;
    run.modelTotal += static_cast<int>(toReview.size());
    report({Stage::reviewing, run.modelDone, run.modelTotal});
    const auto ask = [&](std::size_t k) {
        const Pending& pending = toReview[k];
        const Suggestion& suggestion = list[pending.index];
        return llm.review(suggestion.item, *suggestion.target, run.targets, run.profiles,
                          pending.offered);
    };
    inOrder(toReview.size(), llm.parallel(), run.stop, ask, [&](std::size_t k, Verdict verdict) {
        auto& [i, alternatives, question] = toReview[k];
        switch (verdict.kind) {
        case Verdict::Case::approved:
            ++run.plan.qaApproved;
            break;
        case Verdict::Case::rejected:
            ++run.plan.qaRejected;
            applyVerdict(list[i], verdict);
            showAnswers(run, &list);
            break;
        case Verdict::Case::failed:
            ++run.plan.qaFailed; // the suggestion stands, and the next scan asks again
            break;
        }
        run.asked.push_back({std::move(question), std::move(verdict)});
        ++run.modelDone;
        report({Stage::reviewing, run.modelDone, run.modelTotal});
    });
}

void Organizer::showAnswers(Run& run, const std::vector<Suggestion>* list) const {
    if (run.partial == nullptr || !*run.partial) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - run.lastPartial < settings_.partialInterval) {
        return;
    }
    Plan shown;
    shown.suggestions = merged(run, list != nullptr ? *list : suggestions(run));
    shown.targets = run.planTargets;
    shown.lineage.changes = changesOf(run);
    (*run.partial)(shown);
    run.lastPartial = now;
}

void Organizer::remember(const Run& run) {
    // Every profile taken from the cache, and none left out: writing would change nothing.
    const bool unchanged = !run.profilesAsked && run.profiles.size() == run.cachedProfiles.size();
    if (settings_.profileCache && !unchanged) {
        saveProfileCache(*settings_.profileCache, run.profiles, run.targets, run.signatures);
    }
    answers_.update(run.asked, present(run), run.targets);
}

} // namespace vesk
