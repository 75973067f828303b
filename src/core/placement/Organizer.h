#pragma once

#include "core/items/FileItem.h"
#include "core/model/LocalLLM.h"
#include "core/model/ModelEndpoint.h"
#include "core/placement/Matcher.h"
#include "core/placement/OrganizerProgress.h"
#include "core/placement/OrganizerSettings.h"
#include "core/placement/Plan.h"
#include "core/placement/Suggestion.h"
#include "core/placement/Targets.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vesk {

// Turns the entries waiting in the source folders into one plan, deciding each file in
// layers, cheapest first. Long-lived: the memo of model decisions survives between runs.
class Organizer {
public:
    using ProgressHandler = std::function<void(const OrganizerProgress&)>;
    using PartialHandler = std::function<void(const Plan&)>;

    // `diagnostics` receives the model client's failure lines when the settings ask for
    // verbose output.
    Organizer(OrganizerSettings settings, ModelEndpoint endpoint, Diagnostics diagnostics = {});

    // Blocks until the plan is complete; both callbacks run on the calling thread. `partial`
    // is called exactly once, with the rule and similarity decisions. Never throws.
    [[nodiscard]] Plan run(const ProgressHandler& progress = {},
                           const PartialHandler& partial = {});

    [[nodiscard]] const OrganizerSettings& settings() const { return settings_; }

    // The per-kind default folders, home-relative: pictures, videos and music only.
    [[nodiscard]] static std::map<Kind, std::string>
    typeDefaults(const std::filesystem::path& home);

    // The reason given to a file left where it is because it already lies in the folder it
    // would go to (a source folder that is also a destination).
    static constexpr std::string_view inPlaceReason = "已在目标文件夹中";
    [[nodiscard]] static bool isInPlace(const Suggestion& suggestion) {
        return suggestion.action.type == Action::Type::keep && suggestion.reason == inPlaceReason;
    }

    // Memo key of a file: path, size and added date, so any change makes a new key.
    [[nodiscard]] static std::string memoKey(const FileItem& item);

private:
    struct Run;
    using Report = std::function<void(const OrganizerProgress&)>;

    void loadItems(Run& run) const;
    void findTargets(Run& run) const;
    void tokenize(Run& run) const;
    void decideByRulesAndSimilarity(Run& run) const;
    void decideByContent(Run& run) const;
    [[nodiscard]] std::optional<Suggestion> decideByMatch(const Run& run, std::size_t item,
                                                          const std::vector<Match>& matches,
                                                          Layer layer) const;
    [[nodiscard]] Suggestion fallback(const Run& run, std::size_t item) const;
    [[nodiscard]] std::vector<Suggestion> suggestions(const Run& run) const;

    // The stages that use the local model.
    void refreshMemo(const std::vector<Target>& targets);
    [[nodiscard]] static bool modelNeeded(const Run& run);
    void placeWithModel(Run& run, LocalLLM& llm, const Report& report);
    void reviewWithModel(Run& run, std::vector<Suggestion>& list, LocalLLM& llm,
                         const Report& report);

    OrganizerSettings settings_;
    ModelEndpoint endpoint_;
    Diagnostics diagnostics_;
    std::unordered_map<std::string, Suggestion> memo_;
    std::string memoFolders_;
};

} // namespace vesk
