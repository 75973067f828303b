#pragma once

#include "core/items/FileItem.h"
#include "core/model/LocalLLM.h"
#include "core/model/ModelEndpoint.h"
#include "core/model/ModelService.h"
#include "core/placement/Matcher.h"
#include "core/model/ModelAnswers.h"
#include "core/placement/OrganizerProgress.h"
#include "core/placement/OrganizerSettings.h"
#include "core/plan/Plan.h"
#include "core/plan/Suggestion.h"
#include "core/placement/ScanMemory.h"
#include "core/targets/Targets.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Turns the entries waiting in the source folders into one plan, deciding each file in
// layers, cheapest first. Long-lived: the model's answers survive between runs, and in the
// settings' model-answers file between organizers; so do the folders to file into and every
// file's decision, so that a run decides only the files that came or changed (and those whose
// decision depends on them or on the time), and walks the folders to file into only when one of
// them changed. The plan is the one a first run would make. One run at a time.
class Organizer {
public:
    using ProgressHandler = std::function<void(const OrganizerProgress&)>;
    using PartialHandler = std::function<void(const Plan&)>;

    // `diagnostics` receives the model client's failure lines when the settings ask for
    // verbose output.
    Organizer(OrganizerSettings settings, ModelEndpoint endpoint, Diagnostics diagnostics = {});

    // Blocks until the plan is complete; both callbacks run on the calling thread. `partial`
    // is called with the rule and similarity decisions, and then again, at most once per
    // `settings().partialInterval`, while the model's answers change them. Never throws.
    [[nodiscard]] Plan run(const ProgressHandler& progress = {},
                           const PartialHandler& partial = {});
    // The same, given up as soon as `stop` is requested: it is checked between files and
    // between model requests, and a model request under way is cut short. A stopped run
    // returns nothing and leaves the profile cache and the model's answers, on disk and in
    // memory, as they were; `partial` may then not have been called.
    [[nodiscard]] std::optional<Plan> run(std::stop_token stop, const ProgressHandler& progress,
                                          const PartialHandler& partial);

    [[nodiscard]] const OrganizerSettings& settings() const { return settings_; }

    // The next run decides every file afresh and walks every folder again: a safety net for
    // what no stamp shows (a file system whose clock misleads). Safe from any thread.
    void forget() { forget_ = true; }

    // The per-kind default folders, home-relative: pictures, videos and music only.
    [[nodiscard]] static std::map<Kind, std::string>
    typeDefaults(const std::filesystem::path& home);

    // A file left where it is because it already lies in the folder it would go to (a source
    // folder that is also a destination).
    [[nodiscard]] static bool isInPlace(const Suggestion& suggestion) {
        return suggestion.action.type == Action::Type::keep &&
               suggestion.reason.code == ReasonCode::inPlace;
    }

private:
    struct Run;
    class ScanProgress;
    using Report = std::function<void(const OrganizerProgress&)>;

    [[nodiscard]] std::vector<Root> roots() const;
    [[nodiscard]] TargetFinder::TargetsWithNames walk(const std::vector<Root>& roots,
                                                      ScanProgress& progress);
    [[nodiscard]] const ScanMemory::Destinations& learn(TargetFinder::TargetsWithNames found);
    [[nodiscard]] ScanMemory::Grounds grounds(const std::vector<Root>& roots,
                                              const std::optional<ModelCheck>& check) const;
    void tokenize(Run& run) const;
    void decideByRulesAndSimilarity(Run& run, const Report& report) const;
    void decideByContent(Run& run) const;
    [[nodiscard]] std::optional<Suggestion> decideByMatch(const Run& run, std::size_t item,
                                                          const std::vector<Match>& matches,
                                                          Layer layer) const;
    [[nodiscard]] static std::optional<Suggestion>
    decideByNames(const Run& run, std::size_t item, std::optional<Suggestion> similar);
    [[nodiscard]] Suggestion fallback(const Run& run, std::size_t item) const;
    [[nodiscard]] std::vector<Suggestion> suggestions(const Run& run) const;
    // The plan's suggestions: those kept and those of the run, in plan order.
    [[nodiscard]] Suggestions merged(const Run& run,
                                                 std::vector<Suggestion> decided) const;
    // How the run's plan differs from the one its kept decisions came from, if any.
    [[nodiscard]] static std::optional<PlanChanges> changesOf(const Run& run);
    // Every waiting file, kept or decided by the run.
    [[nodiscard]] std::vector<FileItem> present(const Run& run) const;
    // Last, since the model's review may replace a suggestion whole.
    static void attachCandidates(const Run& run, std::vector<Suggestion>& list);

    // The stages that use the local model.
    [[nodiscard]] static bool modelNeeded(const Run& run);
    void placeWithModel(Run& run, LocalLLM& llm, const Report& report);
    [[nodiscard]] static bool decidePlacement(Run& run, std::size_t item,
                                              const Placement& placement);
    void reviewWithModel(Run& run, std::vector<Suggestion>& list, LocalLLM& llm,
                         const Report& report);
    // Hands the plan as it stands on while the model answers, when the last one is old enough.
    void showAnswers(Run& run, const std::vector<Suggestion>* list) const;
    void remember(const Run& run);

    OrganizerSettings settings_;
    ModelEndpoint endpoint_;
    Diagnostics diagnostics_;
    ModelAnswers answers_;
    ScanMemory memory_;
    std::atomic<bool> forget_ = false;
};

} // namespace vesk
