#include "core/placement/Organizer.h"

#include "core/placement/OrganizerRun.h"

#include "core/model/ModelService.h"
#include "core/placement/ContentReader.h"
#include "core/placement/Rules.h"
#include "core/plan/Destination.h"
#include "core/targets/DiscoveryRoots.h"
#include "core/text/Tokens.h"
#include "core/util/DecimalText.h"
#include "core/util/NormalFolder.h"
#include "platform/WellKnownFolders.h"

#include <algorithm>
#include <future>
#include <set>
#include <system_error>
#include <unordered_set>

namespace vesk {

namespace {

constexpr double margin = 0.08;

std::uint64_t nextSerial() {
    static std::atomic<std::uint64_t> last = 0;
    return ++last;
}
// The best match decides and the second tells whether the decision is close; the rest are only
// offered to the person. More leaders cost the ranking little: it reads a few more folders.
constexpr std::size_t rankedMatches = 5;
// Files compared between two progress reports: a large home still shows movement at once.
constexpr std::size_t comparedPerReport = 64;

std::vector<Candidate> candidatesOf(const std::vector<Match>& matches) {
    std::vector<Candidate> candidates;
    candidates.reserve(matches.size());
    for (const Match& match : matches) {
        candidates.push_back({match.target, match.score});
    }
    return candidates;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// "files.example.com" gives "files example": the top-level label says nothing about a file.
std::string domainWords(const std::string& domain) {
    const auto lastDot = domain.rfind('.');
    if (lastDot == std::string::npos) {
        return {};
    }
    std::string words = domain.substr(0, lastDot);
    std::replace(words.begin(), words.end(), '.', ' ');
    return words;
}

// "Downloads" and "Downloads/" are one folder.
std::set<std::filesystem::path> normalFolders(const std::vector<std::filesystem::path>& folders) {
    std::set<std::filesystem::path> normal;
    for (const auto& folder : folders) {
        normal.insert(normalFolder(folder));
    }
    return normal;
}

// The per-kind default folders that the home has: Vesk never invents a destination folder.
std::map<Kind, std::string> existingFolders(std::map<Kind, std::string> defaults,
                                            const std::filesystem::path& home) {
    std::erase_if(defaults, [&](const auto& entry) {
        std::error_code error;
        return !std::filesystem::is_directory(home / entry.second, error);
    });
    return defaults;
}

// The folders without the names of the files inside them, which take most of their memory.
std::vector<Target> withoutFolderContents(const std::vector<Target>& targets) {
    std::vector<Target> bare;
    bare.reserve(targets.size());
    for (const Target& target : targets) {
        bare.push_back({target.path, target.label, target.isProject, {}, target.kinds});
    }
    return bare;
}

// The waiting files whose names the rules look for beside the files to decide (`deciding`, as
// `reading` has them to decide): the others cannot change what the rules decide.
std::vector<FileItem> neighboursOf(const std::vector<FileItem>& deciding,
                                   const ScanMemory::Reading& reading, const ScanMemory& memory) {
    std::unordered_set<std::string> wanted;
    for (const FileItem& item : deciding) {
        for (const std::string& name : Rules::neighbourNames(item)) {
            wanted.insert((item.path.parent_path() / name).native());
        }
    }
    std::vector<FileItem> found;
    if (wanted.empty()) {
        return found;
    }
    for (const ScanMemory::Waiting& waiting : reading.files) {
        const FileItem& item =
            waiting.kept ? memory.decision(*waiting.kept)->item : deciding[waiting.toDecide];
        if (wanted.contains(item.path.native())) {
            found.push_back(item);
        }
    }
    return found;
}

// A file that seems to belong to a code project is the person's to place: Vesk never moves
// anything into one.
Suggestion projectQuestion(const FileItem& item, const Target& project) {
    return {item, Action::ask(), Layer::none, {}, {}, {ReasonCode::codeProject, {project.label}}};
}

// The names that make the folder look right: "Invoice March.pdf" there, and 4 more like it.
Reason namesReason(const NameIndex::Guess& guess) {
    if (guess.nearest.empty()) {
        return {guess.folderNamed ? ReasonCode::folderName : ReasonCode::folderWords, {}};
    }
    if (guess.alike > 0) {
        return {ReasonCode::likeFileHereAndMore, {guess.nearest, std::to_string(guess.alike)}};
    }
    return {ReasonCode::likeFileHere, {guess.nearest}};
}

// A file already in the folder it would go to stays: moving it would only rename it, on every
// tidy again.
Suggestion leftInPlace(Suggestion suggestion, const std::filesystem::path& home) {
    const auto where = destination(suggestion, home);
    if (where && where->type == Destination::Type::folder &&
        isSameFolder(where->path, suggestion.item.path.parent_path())) {
        suggestion.action = Action::keep();
        suggestion.layer = Layer::skip;
        suggestion.target.reset();
        suggestion.score.reset();
        suggestion.reason = {ReasonCode::inPlace, {}};
    }
    return suggestion;
}

} // namespace

// Counts what the scan has read and reports it every few entries: often enough that a large
// home shows movement at once, seldom enough that reporting costs nothing.
class Organizer::ScanProgress {
public:
    explicit ScanProgress(const ProgressHandler& handler) : handler_(handler) {}

    void fileRead() {
        ++progress_.filesRead;
        entryRead();
    }
    void folderRead() {
        ++progress_.foldersRead;
        entryRead();
    }
    // The final counts, when the scan took long enough to show any.
    void finish() const {
        if (reported_ > 0 && reported_ != entries()) {
            handler_(progress_);
        }
    }

private:
    static constexpr int step = 32;

    [[nodiscard]] int entries() const { return progress_.filesRead + progress_.foldersRead; }
    void entryRead() {
        if (handler_ && entries() % step == 0) {
            reported_ = entries();
            handler_(progress_);
        }
    }

    const ProgressHandler& handler_;
    OrganizerProgress progress_; // scanning
    int reported_ = 0;           // entries at the last report
};

Organizer::Organizer(OrganizerSettings settings, ModelEndpoint endpoint, Diagnostics diagnostics)
    : settings_(std::move(settings)), endpoint_(std::move(endpoint)),
      diagnostics_(std::move(diagnostics)), answers_(settings_.modelAnswers),
      memory_(settings_.changeMargin) {}

std::map<Kind, std::string> Organizer::typeDefaults(const std::filesystem::path& home) {
    using platform::WellKnownFolder;
    return {{Kind::image, platform::wellKnownFolder(home, WellKnownFolder::pictures)},
            {Kind::video, platform::wellKnownFolder(home, WellKnownFolder::movies)},
            {Kind::audio, platform::wellKnownFolder(home, WellKnownFolder::music)}};
}

Plan Organizer::run(const ProgressHandler& progress, const PartialHandler& partial) {
    // A token without a stop source is never stopped, so there is always a plan.
    return *run(std::stop_token{}, progress, partial);
}

std::optional<Plan> Organizer::run(std::stop_token stop, const ProgressHandler& progress,
                                   const PartialHandler& partial) {
    const auto report = [&](OrganizerProgress state) {
        if (progress) {
            progress(state);
        }
    };
    report({OrganizerProgress::Stage::scanning});
    if (forget_.exchange(false)) {
        memory_.forget();
    }

    ScanProgress scan(progress);
    const Date readAt = Clock::now();
    ScanMemory::Reading reading =
        memory_.read(normalFolders(settings_.sources), [&] { scan.fileRead(); });
    std::future<ProfileCache> readingProfiles;
    if (settings_.useLLM && settings_.profileCache && !reading.since) {
        // Read while the home is scanned: parsing the names of a thousand folders takes a
        // tenth of a plan. A rescan seldom needs them at all.
        try {
            readingProfiles =
                std::async(std::launch::async, loadProfileCache, *settings_.profileCache);
        } catch (const std::system_error&) {
            // No thread to spare: the model stage reads it when it starts.
        }
    }
    const std::vector<Root> walked = roots();
    const ScanMemory::Destinations* destinations = memory_.destinations(walked);
    std::optional<TargetFinder::TargetsWithNames> found;
    if (destinations == nullptr) {
        found = walk(walked, scan);
    }
    scan.finish();
    std::optional<ModelCheck> check;
    if (settings_.useLLM) {
        check = checkModelService(endpoint_, modelProbeLimit, stop);
    }
    const ScanMemory::Grounds now = grounds(walked, check);
    memory_.settle(now, reading);
    const int total = static_cast<int>(reading.toDecide.size());
    if (total > 0 && !stop.stop_requested()) {
        // Learning the folders' names takes a while of its own in a large home.
        report({OrganizerProgress::Stage::comparing, 0, total});
    }
    if (destinations == nullptr) {
        destinations = &learn(std::move(*found));
    }

    Run run(*destinations, std::move(reading));
    run.stop = std::move(stop);
    run.readingProfiles = std::move(readingProfiles);
    run.typeDefaults = now.typeDefaults;
    tokenize(run);
    run.results.resize(run.items.size());
    run.ranked.resize(run.items.size());
    decideByRulesAndSimilarity(run, report);
    if (run.stopped()) {
        return std::nullopt;
    }
    if (check) {
        run.plan.llmUnavailable = check->unavailable;
        run.plan.llmDetail = check->detail;
    }
    const bool modelAhead = check && check->available() && modelNeeded(run);

    run.partial = &partial;
    // A run that keeps most decisions shows its plan once, unless slow stages lie ahead.
    const bool keptAny = run.items.size() < run.waiting.files.size();
    if (partial && (!keptAny || modelAhead || settings_.allowContent)) {
        Plan intermediate;
        std::vector<Suggestion> decided = suggestions(run);
        attachCandidates(run, decided);
        intermediate.suggestions = merged(run, std::move(decided));
        intermediate.targets = run.planTargets;
        intermediate.lineage.changes = changesOf(run);
        partial(intermediate);
        run.lastPartial = std::chrono::steady_clock::now();
    }

    std::optional<LocalLLM> llm;
    if (modelAhead) {
        // The address that answered and the model chosen hold for the whole run.
        ModelEndpoint settled = endpoint_;
        settled.url = check->url;
        settled.model = check->model;
        llm.emplace(std::move(settled), settings_.verbose ? diagnostics_ : Diagnostics{}, run.stop);
        placeWithModel(run, *llm, report);
    }

    if (settings_.allowContent) {
        decideByContent(run);
    }

    std::vector<Suggestion> list = suggestions(run);
    if (llm && settings_.useQA) {
        reviewWithModel(run, list, *llm, report);
    }
    attachCandidates(run, list);
    // Every stage gives up at once when stopped; what it had is thrown away here, unseen.
    if (run.stopped()) {
        return std::nullopt;
    }
    if (llm) {
        remember(run);
    }

    Plan plan = std::move(run.plan);
    plan.suggestions = merged(run, std::move(list));
    plan.targets = run.planTargets;
    plan.isFinal = true;
    plan.decided = static_cast<int>(run.items.size());
    plan.lineage.serial = nextSerial();
    plan.lineage.changes = changesOf(run);
    // A decision the model could not help with is made again next time, as a first run would.
    bool complete = true;
    if (llm) {
        plan.llmCalls = llm->calls();
        plan.llmFailures = llm->failures();
        plan.llmSeconds = llm->seconds();
        if (const auto why = llm->gaveUp()) {
            plan.llmUnavailable = ModelUnavailable::notAvailable; // as it turned out
            plan.llmDetail = *why;
        }
        complete = !llm->gaveUp() && plan.llmFailures == 0 && plan.qaFailed == 0;
    }
    memory_.keep(run.waiting, plan, readAt, complete);
    return plan;
}

std::vector<Root> Organizer::roots() const {
    return settings_.targetRoots ? chosenRoots(*settings_.targetRoots, settings_.home)
                                 : discoveryRoots(settings_.home, settings_.sources);
}

// The walk runs on a thread of its own, so that the names it reads (hundreds of thousands of
// short strings that live only until the folders are learnt) come from a heap arena of their own
// and go back whole, instead of leaving holes between what the scan keeps. For the same reason
// the folders' stamps are recorded here, once the walk is done.
TargetFinder::TargetsWithNames Organizer::walk(const std::vector<Root>& roots,
                                               ScanProgress& progress) {
    struct Listed {
        std::filesystem::path folder;
        bool asRoot = false;
        std::optional<std::uint64_t> digest;
    };
    FolderStamps& stamps = memory_.walkStarting(roots);
    std::vector<Listed> listed;
    const auto find = [&] {
        const auto folderRead = [&](const TargetFinder::FolderListed& folder) {
            listed.push_back({folder.folder, folder.asRoot, folder.digest});
            if (folder.digest) {
                progress.folderRead();
            }
        };
        return settings_.useNameIndex
                   ? TargetFinder::findWithNames(roots, settings_.home,
                                                 NameIndex::namesPerFolder, folderRead)
                   : TargetFinder::TargetsWithNames{
                         TargetFinder::find(roots, settings_.home, folderRead), {}};
    };
    std::future<TargetFinder::TargetsWithNames> walking;
    try {
        walking = std::async(std::launch::async, find);
    } catch (const std::system_error&) {
        // No thread to spare: walked here, only less tidily for the heap.
    }
    TargetFinder::TargetsWithNames found = walking.valid() ? walking.get() : find();
    // Stamped after the walk: a folder changed since it was listed is later than the walk's
    // start, so it is not trusted and is listed again next time.
    for (const Listed& folder : listed) {
        stamps.record({folder.folder, folder.asRoot, folder.digest});
    }
    return found;
}

const ScanMemory::Destinations& Organizer::learn(TargetFinder::TargetsWithNames found) {
    const auto sourcePaths = normalFolders(settings_.sources);
    ScanMemory::Destinations learnt;
    std::vector<Target> targets;
    std::vector<std::vector<std::string>> moreNames; // per target, until the index has them
    for (std::size_t i = 0; i < found.targets.size(); ++i) {
        if (sourcePaths.contains(normalFolder(found.targets[i].path))) {
            continue;
        }
        targets.push_back(std::move(found.targets[i]));
        if (!found.moreNames.empty()) {
            moreNames.push_back(std::move(found.moreNames[i]));
        }
    }
    const auto names = std::make_shared<const FolderNames>(targets, std::move(moreNames));
    learnt.matcher.emplace(targets, names);
    if (settings_.useNameIndex) {
        learnt.nameIndex.emplace(targets, names);
    }
    learnt.targets = withoutFolderContents(targets);
    if (settings_.useLLM) {
        learnt.described = std::move(targets);
    }
    return memory_.keepDestinations(std::move(learnt));
}

ScanMemory::Grounds Organizer::grounds(const std::vector<Root>& roots,
                                       const std::optional<ModelCheck>& check) const {
    ScanMemory::Grounds grounds;
    grounds.roots = roots;
    grounds.wellKnown = typeDefaults(settings_.home);
    grounds.typeDefaults = existingFolders(grounds.wellKnown, settings_.home);
    if (check) {
        grounds.model = check->available() ? check->url + ' ' + check->model : std::string();
    }
    return grounds;
}

void Organizer::tokenize(Run& run) const {
    run.tokens.reserve(run.items.size());
    for (const auto& item : run.items) {
        auto tokens = Tokens::of(item.stem());
        if (item.sourceDomain) {
            for (auto& token : Tokens::of(domainWords(*item.sourceDomain))) {
                tokens.push_back(std::move(token));
            }
        }
        run.tokens.push_back(std::move(tokens));
    }
}

void Organizer::decideByRulesAndSimilarity(Run& run, const Report& report) const {
    Rules rules;
    // The files beside one matter only to an archive or a copy, and only those it names; the
    // applications only to an installer: a rescan of one file reads little beyond it.
    rules.items = neighboursOf(run.items, run.waiting, memory_);
    const bool installers = std::ranges::any_of(
        run.items, [](const FileItem& item) { return item.kind == Kind::installer; });
    if (installers) {
        rules.installed = Rules::installedApps(settings_.home, settings_.systemDataFolders);
    }
    rules.minAgeDays = settings_.minAgeDays;
    rules.mediaFolders = run.typeDefaults;
    rules.now = Clock::now();

    const int total = static_cast<int>(run.items.size());
    for (std::size_t i = 0; i < run.items.size() && !run.stopped(); ++i) {
        if (i > 0 && i % comparedPerReport == 0) {
            report({OrganizerProgress::Stage::comparing, static_cast<int>(i), total});
        }
        if (auto ruled = rules.apply(run.items[i])) {
            run.results[i] = std::move(ruled);
            continue;
        }
        const auto matches = run.matcher->best(run.tokens[i], run.items[i].kind, rankedMatches);
        run.ranked[i] = candidatesOf(matches);
        run.results[i] = decideByNames(run, i, decideByMatch(run, i, matches, Layer::match));
    }
}

// The names below every folder decide what similarity left open, and question a similarity
// move when they point elsewhere.
std::optional<Suggestion> Organizer::decideByNames(const Run& run, std::size_t item,
                                                   std::optional<Suggestion> similar) {
    const bool open = !similar;
    const bool moved = similar && similar->layer == Layer::match;
    const auto threshold = run.nameIndex ? run.nameIndex->threshold() : std::nullopt;
    if (!threshold || !(open || moved)) {
        return similar;
    }
    const FileItem& file = run.items[item];
    const auto guess = run.nameIndex->guess(file.name, moved ? similar->target : std::nullopt);
    if (!guess) {
        return similar;
    }
    const Target& target = run.targets[static_cast<std::size_t>(guess->target)];
    if (moved) {
        // In a home where the names are known to tell, a similarity move they lean away from
        // at all is more often wrong than right on real trees: the person decides.
        if (guess->rivalLead <= 0) {
            return similar;
        }
        return Suggestion{file, Action::ask(), Layer::none, {}, {},
                          {ReasonCode::namesDisagree, {similar->action.key(), target.label}}};
    }
    if (guess->margin < *threshold) {
        return similar;
    }
    if (target.isProject) {
        return projectQuestion(file, target);
    }
    return Suggestion{file, Action::move(target.label), Layer::names, guess->target, {},
                      namesReason(*guess)};
}

void Organizer::decideByContent(Run& run) const {
    for (std::size_t i = 0; i < run.items.size() && !run.stopped(); ++i) {
        if (run.results[i]) {
            continue;
        }
        const auto keywords = ContentReader::keywords(run.items[i]);
        if (!keywords) {
            continue;
        }
        ++run.plan.contentReads;
        const auto matches =
            run.matcher->best(run.tokens[i], run.items[i].kind, rankedMatches, *keywords);
        if (!matches.empty()) {
            run.ranked[i] = candidatesOf(matches); // the contents know better than the name
        }
        run.results[i] = decideByMatch(run, i, matches, Layer::content);
    }
}

std::optional<Suggestion> Organizer::decideByMatch(const Run& run, std::size_t item,
                                                   const std::vector<Match>& matches,
                                                   Layer layer) const {
    if (matches.empty() || matches[0].score < settings_.threshold) {
        return std::nullopt;
    }
    const Match& best = matches[0];
    const Target& target = run.targets[static_cast<std::size_t>(best.target)];
    if (matches.size() > 1 && best.score - matches[1].score < margin) {
        // Too close to call, unless one folder lies inside the other.
        const std::string bestPath = target.path.native();
        const std::string secondPath =
            run.targets[static_cast<std::size_t>(matches[1].target)].path.native();
        if (!startsWith(secondPath, bestPath) && !startsWith(bestPath, secondPath)) {
            return std::nullopt;
        }
    }

    if (target.isProject) {
        return projectQuestion(run.items[item], target);
    }
    Reason reason = best.why;
    reason.arguments.emplace_back(decimalText(best.score, 2));
    return Suggestion{run.items[item], Action::move(target.label), layer, best.target, best.score,
                      std::move(reason)};
}

Suggestion Organizer::fallback(const Run& run, std::size_t item) const {
    if (run.results[item]) {
        return *run.results[item];
    }
    const FileItem& file = run.items[item];
    if (const auto folder = run.typeDefaults.find(file.kind); folder != run.typeDefaults.end()) {
        Reason reason{ReasonCode::typeDefault, {}};
        return {file, Action::move(folder->second), Layer::typeDefault, {}, {}, std::move(reason)};
    }
    const bool wordless = run.tokens[item].empty();
    Reason reason{wordless ? ReasonCode::nameSaysNothing : ReasonCode::notSimilar, {}};
    // Every undecided item was ranked by name in the similarity stage, or by its contents.
    if (!run.ranked[item].empty()) {
        const auto closest = static_cast<std::size_t>(run.ranked[item].front().target);
        reason = {wordless ? ReasonCode::nameSaysNothingClosest : ReasonCode::notSimilarClosest,
                  {run.targets[closest].label}};
    }
    return {file, Action::ask(), Layer::none, {}, {}, std::move(reason)};
}

void Organizer::attachCandidates(const Run& run, std::vector<Suggestion>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i].candidates = run.ranked[i];
    }
}

Suggestions Organizer::merged(const Run& run, std::vector<Suggestion> decided) const {
    if (decided.size() == run.waiting.files.size()) {
        return decided;
    }
    Suggestions all;
    all.reserve(run.waiting.files.size());
    for (const ScanMemory::Waiting& waiting : run.waiting.files) {
        if (waiting.kept) {
            all.push_back(memory_.decision(*waiting.kept));
        } else {
            all.push_back(std::move(decided[waiting.toDecide]));
        }
    }
    return all;
}

std::optional<PlanChanges> Organizer::changesOf(const Run& run) {
    if (!run.waiting.since) {
        return std::nullopt;
    }
    PlanChanges changes{*run.waiting.since, {}, run.waiting.left};
    for (std::size_t i = 0; i < run.waiting.files.size(); ++i) {
        if (!run.waiting.files[i].kept) {
            changes.decided.push_back(i);
        }
    }
    return changes;
}

std::vector<FileItem> Organizer::present(const Run& run) const {
    std::vector<FileItem> items;
    items.reserve(run.waiting.files.size());
    for (const ScanMemory::Waiting& waiting : run.waiting.files) {
        items.push_back(waiting.kept ? memory_.decision(*waiting.kept)->item
                                     : run.items[waiting.toDecide]);
    }
    return items;
}

std::vector<Suggestion> Organizer::suggestions(const Run& run) const {
    std::vector<Suggestion> list;
    list.reserve(run.items.size());
    for (std::size_t i = 0; i < run.items.size(); ++i) {
        list.push_back(leftInPlace(fallback(run, i), settings_.home));
    }
    return list;
}

} // namespace vesk
