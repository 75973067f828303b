#include "app/AppModel.h"

#include "app/MoveRunner.h"
#include "app/OldEnough.h"
#include "app/ReasonText.h"
#include "app/ReviewRows.h"
#include "app/ScanRunner.h"
#include "core/plan/PlanOrder.h"
#include "core/targets/DiscoveryRoots.h"
#include "core/util/NormalFolder.h"
#include "platform/WellKnownFolders.h"

#include <algorithm>
#include <system_error>
#include <unordered_set>

namespace vesk {

namespace {

// However quiet the folders, a scan at least this often: a change no watch told of is seen. It
// decides every file afresh and walks every folder again, whatever the scans between kept.
constexpr auto periodicScan = std::chrono::hours(1);

// What another process left half done is told with the operation that settled it.
std::vector<MoveFailure> withRecovered(std::vector<MoveFailure> failures,
                                       const std::vector<MoveFailure>& recovered) {
    failures.insert(failures.end(), recovered.begin(), recovered.end());
    return failures;
}

} // namespace

AppModel::AppModel(AppLocation location, Settings settings, ModelEnvironment environment,
                   FolderPicker& picker, KeyStore& keys, AppModelOptions options)
    : location_(std::move(location)), settings_(std::move(settings)), picker_(picker),
      access_(location_.settingsFile, picker, options.sandboxed), ignored_(location_.ignoredFile()),
      // Asks the service at once, on a thread of its own.
      modelSetup_(modelEndpoint(settings_), std::move(environment), keys),
      changeMargin_(options.changeMargin),
      watcher_(std::make_unique<SourceWatcher>(SourceWatcher::Timing{options.debounce})),
      moves_(std::make_unique<MoveRunner>(location_.historyFile())),
      scans_(std::make_unique<ScanRunner>([this] { return organizer_; })) {
    std::error_code ec;
    std::filesystem::create_directories(location_.supportDir, ec); // later writes report
    moves_->setBeforeMove(std::move(options.beforeMove));
    // What a killed tidy left is settled before anything is shown.
    lastFailures_ = moves_->recover().steps;
    showFailure_ = !lastFailures_.empty();
    // One read of the history at start: the last batch and the recent destinations.
    const std::vector<Batch> history = moves_->history();
    lastBatch_ = MoveRunner::newestOf(history);
    for (const Batch& batch : history) {
        for (const MoveRecord& record : batch.records) {
            rememberRecent(record.moved.parent_path());
        }
    }
    onboarded_ = settings_.onboarded();
    // Without a stored choice the model is used once it answers.
    useLLM_ = settings_.useLLM.value_or(false);
    organizer_ = makeOrganizer();

    nextScan_.setSingleShot(true);
    // One wakeup at the moment a file is due: a precise timer, never an early one.
    nextScan_.setTimerType(Qt::PreciseTimer);
    lastFullScan_ = Clock::now();
    connect(&nextScan_, &QTimer::timeout, this, [this] {
        if (Clock::now() - lastFullScan_ >= periodicScan) {
            organizer_->forget();
            lastFullScan_ = Clock::now();
        }
        rescan();
    });
    connect(watcher_.get(), &SourceWatcher::settled, this, &AppModel::rescan);
    connect(watcher_.get(), &SourceWatcher::problemsChanged, this,
            &AppModel::watchProblemsChanged);
    connect(scans_.get(), &ScanRunner::started, this, [this] {
        scanStart_ = Clock::now();
        watcher_->scanStarting();
        setBusy(true);
    });
    connect(scans_.get(), &ScanRunner::finished, this, [this] {
        if (partialMerged_) {
            rowsPlan_ = 0; // a stopped scan's partial plan: the rows follow no final plan
        }
        setBusy(false);
    });
    connect(scans_.get(), &ScanRunner::partialPlan, this, &AppModel::merge);
    connect(scans_.get(), &ScanRunner::finalPlan, this, [this](const Plan& plan) {
        merge(plan);
        scheduleScan(plan);
        modelSetup_.scanned(plan);
    });
    connect(scans_.get(), &ScanRunner::modelProgress, this, &AppModel::modelProgress);
    connect(&modelSetup_, &ModelSetup::answered, this, &AppModel::modelAnswered);
    connect(&modelSetup_, &ModelSetup::endpointChanged, this, &AppModel::modelEndpointChanged);
    connect(&modelSetup_, &ModelSetup::stateChanged, this,
            [this] { emit modelStatusChanged(modelSetup_.status()); });
    connect(moves_.get(), &MoveRunner::runningChanged, this, &AppModel::movingChanged);
    connect(moves_.get(), &MoveRunner::progressed, this, &AppModel::moveProgress);
    connect(moves_.get(), &MoveRunner::applied, this,
            [this](const ApplyResult& result, const std::optional<Batch>& newest) {
                std::vector<std::filesystem::path> moved;
                for (const MoveRecord& record : result.batch.records) {
                    moved.push_back(record.original);
                    rememberRecent(record.moved.parent_path());
                }
                // The tidy's own changes need no scan; a file that came meanwhile does.
                watcher_->ownMovesDone(moved);
                // Already in their destination folder: done with as much as the moved ones.
                moved.insert(moved.end(), result.inPlace.begin(), result.inPlace.end());
                finishMoves(moved, withRecovered(result.failures, result.recovered), newest);
                emit tidied(result);
            });
    connect(moves_.get(), &MoveRunner::undone, this,
            [this](const UndoResult& result, const std::optional<Batch>& newest) {
                watcher_->ownMovesDone({});
                finishMoves({}, withRecovered(result.failures, result.recovered), newest);
                emit undone(result);
                // The files that came back need their rows: the one scan after an undo.
                rescan();
            });

    if (onboarded_) {
        watchSources();
        rescan();
    }
}

AppModel::~AppModel() = default;

bool AppModel::needsOnboarding(const QStringList& arguments) {
    const auto settings = Settings::load(AppLocation::settingsFileFor(arguments));
    return !settings || !settings->onboarded();
}

bool AppModel::isMoving() const {
    return moves_->isRunning();
}

void AppModel::dismissFailure() {
    if (showFailure_) {
        showFailure_ = false;
        emit showFailureChanged(false);
    }
}

std::optional<QString> AppModel::llmUnavailable() const {
    if (const auto& why = modelSetup_.unavailable()) {
        return ReasonText::of(*why);
    }
    return std::nullopt;
}

void AppModel::checkModel() {
    modelSetup_.check();
}

void AppModel::recheckModel() {
    modelSetup_.check(ModelSetup::Showing::lastAnswer);
}

// Only the service's answers move the default, never a scan's findings: a model that lists
// but fails every request would otherwise turn itself off and on with every scan.
void AppModel::modelAnswered(bool available) {
    if (!settings_.useLLM && useLLM_ != available) {
        useLLM_ = available;
        emit useLLMChanged(useLLM_);
        organizer_ = makeOrganizer();
        rescan();
    }
}

void AppModel::modelEndpointChanged() {
    organizer_ = makeOrganizer();
    rescan();
}

void AppModel::setModelUrl(const std::string& url) {
    // An empty address is the usual one, as an empty model is the first that can chat.
    setModelChoice(&Settings::modelUrl,
                   url.empty() ? std::string(settings::modelUrl.defaultValue) : url);
}

void AppModel::setModelName(const std::string& name) {
    setModelChoice(&Settings::model, name);
}

// Text fields tell of every edit that ends, changed or not: only a change is stored.
void AppModel::setModelChoice(std::string Settings::*field, std::string value) {
    if (settings_.*field == value) {
        return;
    }
    settings_.*field = std::move(value);
    saveSettings(Settings::modelPart);
    modelSetup_.choose(modelEndpoint(settings_));
}

void AppModel::setModelKey(const std::string& key) {
    if (key != modelSetup_.key()) {
        modelSetup_.setKey(key);
    }
}

void AppModel::setUseLLM(bool value) {
    if (useLLM_ != value) {
        useLLM_ = value;
        emit useLLMChanged(value);
    }
    applySettingsChange();
}

void AppModel::setAllowContent(bool value) {
    if (settings_.allowContent != value) {
        settings_.allowContent = value;
        emit allowContentChanged(value);
    }
    applySettingsChange();
}

void AppModel::setMinAgeDays(double days) {
    if (settings_.minAgeDays != days) {
        settings_.minAgeDays = days;
        emit minAgeDaysChanged(days);
    }
    applySettingsChange();
}

void AppModel::setNotifyWhenFilesWait(bool value) {
    if (settings_.notifyWhenFilesWait != value) {
        settings_.notifyWhenFilesWait = value;
        emit notifyWhenFilesWaitChanged(value);
    }
    saveSettings(Settings::notificationsPart);
}

void AppModel::applySettingsChange() {
    settings_.useLLM = useLLM_;
    saveSettings(Settings::preferencesPart);
    organizer_ = makeOrganizer();
    rescan();
}

void AppModel::applySourceChange() {
    saveSettings(Settings::sourcesPart);
    watchSources();
    organizer_ = makeOrganizer();
    rescan();
}

void AppModel::saveSettings(unsigned parts) {
    // Best effort, as every other stored file: the settings stay in effect for this run.
    static_cast<void>(settings_.save(location_.settingsFile, parts));
}

void AppModel::watchSources() {
    watcher_->watch(settings_.sources);
}

std::shared_ptr<Organizer> AppModel::makeOrganizer() const {
    OrganizerSettings organizer = organizerSettings(settings_, location_, useLLM_);
    organizer.changeMargin = changeMargin_;
    return std::make_shared<Organizer>(std::move(organizer), modelSetup_.endpoint());
}

void AppModel::addSource() {
    pickFolders(this, [this](const std::vector<std::filesystem::path>& picked) {
        if (picked.empty()) {
            return;
        }
        for (const auto& folder : picked) {
            if (std::find(settings_.sources.begin(), settings_.sources.end(), folder) ==
                settings_.sources.end()) {
                settings_.sources.push_back(folder);
            }
        }
        emit sourcesChanged();
        applySourceChange();
    });
}

bool AppModel::removeSource(const std::filesystem::path& folder) {
    const auto others = std::count_if(settings_.sources.begin(), settings_.sources.end(),
                                      [&](const auto& source) { return source != folder; });
    if (others == 0) {
        return false;
    }
    std::erase(settings_.sources, folder);
    emit sourcesChanged();
    applySourceChange();
    return true;
}

std::vector<std::filesystem::path> AppModel::targetRoots() const {
    const OrganizerSettings run = organizerSettings(settings_, location_, useLLM_);
    if (run.targetRoots) {
        return *run.targetRoots;
    }
    std::vector<std::filesystem::path> folders;
    for (const Root& root : discoveryRoots(run.home, run.sources)) {
        folders.push_back(root.folder);
    }
    return folders;
}

void AppModel::addTargetRoot() {
    pickFolders(this, [this](const std::vector<std::filesystem::path>& picked) {
        if (picked.empty()) {
            return;
        }
        auto folders = targetRoots();
        folders.insert(folders.end(), picked.begin(), picked.end());
        setTargetRoots(std::move(folders));
    });
}

void AppModel::removeTargetRoot(const std::filesystem::path& folder) {
    auto folders = targetRoots();
    std::erase(folders, normalFolder(folder));
    setTargetRoots(std::move(folders));
}

void AppModel::setTargetRoots(std::vector<std::filesystem::path> folders) {
    settings_.targetRoots = std::move(folders);
    // Stored as shown: in normal form, each once.
    settings_.targetRoots = organizerSettings(settings_, location_, useLLM_).targetRoots;
    saveSettings(Settings::targetRootsPart);
    emit targetRootsChanged();
    organizer_ = makeOrganizer();
    rescan();
}

void AppModel::pickFolders(QObject* context, FolderPicker::Picked picked) {
    FolderPicker::Request request;
    request.startFolder = location_.home;
    request.title = tr("Add Folders to Tidy");
    request.confirmText = tr("Add");
    request.several = true;
    picker_.pickFolders(
        request, context,
        [this, picked = std::move(picked)](const std::vector<std::filesystem::path>& folders) {
            access_.remember(folders);
            picked(folders);
        });
}

std::vector<std::filesystem::path> AppModel::suggestedSources() const {
    std::vector<std::filesystem::path> folders;
    for (const auto which :
         {platform::WellKnownFolder::downloads, platform::WellKnownFolder::desktop}) {
        std::error_code ec;
        const auto folder = location_.home / platform::wellKnownFolder(location_.home, which);
        if (std::filesystem::symlink_status(folder, ec).type() !=
            std::filesystem::file_type::not_found) {
            folders.push_back(folder);
        }
    }
    return folders;
}

void AppModel::finishOnboarding(std::vector<std::filesystem::path> folders, bool useModel) {
    settings_.sources = std::move(folders);
    settings_.onboardingFinished = true;
    saveSettings(Settings::sourcesPart | Settings::onboardedPart);
    emit sourcesChanged();
    if (!onboarded_) {
        onboarded_ = true;
        emit onboardedChanged(true);
    }
    setUseLLM(useModel);
    watchSources();
}

void AppModel::accessGranted() {
    organizer_ = makeOrganizer();
    rescan();
}

void AppModel::rescan() {
    if (!onboarded_) {
        return;
    }
    // The service may have started since it last failed to answer; an address that is "off"
    // or not on this computer stays as it is until the settings change.
    const auto why = modelSetup_.unavailable();
    if (why && why != ModelUnavailable::turnedOff && loopbackService(endpoint().url)) {
        recheckModel();
    }
    scans_->request();
}

const std::vector<WatchProblem>& AppModel::watchProblems() const {
    return watcher_->problems();
}

void AppModel::scheduleScan(const Plan& plan) {
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(periodicScan);
    if (const auto due = nextOldEnough(plan, settings_.minAgeDays, scanStart_)) {
        // Rounded up: a timer that fires a moment early would find the file still too new.
        const auto untilDue = std::chrono::ceil<std::chrono::milliseconds>(*due - Clock::now());
        wait = std::clamp(untilDue, std::chrono::milliseconds(0), wait);
    }
    nextScan_.start(wait);
}

void AppModel::setBusy(bool busy) {
    if (busy_ != busy) {
        busy_ = busy;
        emit busyChanged(busy);
    }
}

void AppModel::merge(const Plan& plan) {
    const auto& changes = plan.lineage.changes;
    const bool follows = changes && rowsPlan_ != 0 && changes->since == rowsPlan_;
    rowsPlan_ = plan.isFinal ? plan.lineage.serial : rowsPlan_;
    partialMerged_ = !plan.isFinal;
    if (const int waiting = ReviewRows::waiting(plan); waiting != waiting_) {
        waiting_ = waiting;
        emit waitingChanged(waiting);
    }
    // Beyond a few changes, moving rows one by one costs more than making them all.
    const auto few = [&](const PlanChanges& since) {
        return since.decided.size() + since.left.size() <= rows_.size() / 8 + 8;
    };
    if (follows && few(*changes)) {
        mergeChanges(plan);
    } else {
        mergeWhole(plan);
    }
}

void AppModel::mergeChanges(const Plan& plan) {
    const PlanChanges& changes = *plan.lineage.changes;
    const auto allows = [this](const std::filesystem::path& path) { return access_.allows(path); };
    const auto ignored = [this](const std::filesystem::path& file) {
        return ignored_.contains(file);
    };
    ReviewedDestinations asReviewed;
    std::vector<std::size_t> gone;
    std::vector<Row> added;
    bool changed = false;
    int pending = pendingCount_;
    for (const std::filesystem::path& file : changes.left) {
        if (const auto at = rowIndex(file)) {
            gone.push_back(*at);
        }
    }
    for (const std::size_t i : changes.decided) {
        const Suggestion& suggestion = plan.suggestions[i];
        const auto at = rowIndex(suggestion.item.path);
        if (!ReviewRows::isRow(suggestion)) {
            if (at) {
                gone.push_back(*at);
            }
            continue;
        }
        Row row = ReviewRows::rowFor(plan.suggestions.shared(i), at ? &rows_[*at] : nullptr,
                                     location_.home, allows, ignored, asReviewed);
        if (!at) {
            added.push_back(std::move(row));
        } else if (rows_[*at] != row) {
            pending += (row.isPending() ? 1 : 0) - (rows_[*at].isPending() ? 1 : 0);
            rows_[*at] = std::move(row);
            changed = true;
        }
    }
    if (!gone.empty() || !added.empty()) {
        std::sort(gone.begin(), gone.end(), std::greater<>());
        gone.erase(std::unique(gone.begin(), gone.end()), gone.end());
        for (const std::size_t at : gone) {
            rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
        }
        // Rows are in plan order, as the plan made them.
        for (Row& row : added) {
            const auto place = std::upper_bound(
                rows_.begin(), rows_.end(), row, [](const Row& a, const Row& b) {
                    return planOrder(a.suggestion->item, b.suggestion->item);
                });
            rows_.insert(place, std::move(row));
        }
        pending = reindexRows();
        changed = true;
    }
    if (!changes.left.empty() && !ignored_.isEmpty()) {
        ignored_.remove(changes.left); // a file that has left is forgotten
    }
    if (changed) {
        emit rowsChanged();
        setPendingCount(pending);
    }
}

void AppModel::mergeWhole(const Plan& plan) {
    if (targets_ != plan.targets) {
        targets_ = plan.targets;
        folderChoices_ = ReviewRows::folderChoices(targets_.list());
    }
    emit targetsChanged();
    rows_ = ReviewRows::merge(
        rows_, plan, location_.home,
        [this](const std::filesystem::path& path) { return access_.allows(path); },
        [this](const std::filesystem::path& file) { return ignored_.contains(file); });
    if (plan.isFinal && !ignored_.isEmpty()) {
        // A file that has left the source folders is forgotten, also when it comes back.
        std::unordered_set<std::string_view> present;
        present.reserve(plan.suggestions.size());
        for (const Suggestion& suggestion : plan.suggestions) {
            present.insert(suggestion.item.path.native());
        }
        ignored_.keepOnly(present);
    }
    const int pending = reindexRows();
    emit rowsChanged();
    setPendingCount(pending);
}

int AppModel::reindexRows() {
    rowIndex_.clear();
    rowIndex_.reserve(rows_.size());
    int pending = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rowIndex_.emplace(rows_[i].file().native(), i);
        pending += rows_[i].isPending() ? 1 : 0;
    }
    return pending;
}

void AppModel::setPendingCount(int count) {
    if (pendingCount_ != count) {
        pendingCount_ = count;
        emit pendingCountChanged(count);
    }
}

void AppModel::rememberRecent(const std::filesystem::path& folder) {
    constexpr std::size_t kept = 10;
    std::erase(recent_, folder);
    recent_.insert(recent_.begin(), folder);
    if (recent_.size() > kept) {
        recent_.pop_back();
    }
}

std::optional<std::size_t> AppModel::rowIndex(const std::filesystem::path& file) const {
    const auto found = rowIndex_.find(file.native());
    if (found == rowIndex_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::vector<Row> AppModel::pending() const {
    return ReviewRows::pending(rows_);
}

std::vector<RowGroup> AppModel::groups() const {
    return ReviewRows::groups(rows_, location_.home);
}

std::vector<Row> AppModel::orderedRows() const {
    return ReviewRows::ordered(rows_, location_.home);
}

QString AppModel::title(const RowGroup::Key& key) const {
    return ReviewRows::title(key, location_.home);
}

Row* AppModel::rowFor(const std::filesystem::path& file) {
    const auto index = rowIndex(file);
    return index ? &rows_[*index] : nullptr;
}

void AppModel::toggle(const std::filesystem::path& file) {
    toggle(std::vector{file});
}

void AppModel::toggle(const std::vector<std::filesystem::path>& files) {
    std::vector<std::size_t> changed;
    int pending = pendingCount_;
    for (const auto& file : files) {
        const auto index = rowIndex(file);
        if (!index || !rows_[*index].destination) {
            continue;
        }
        Row& row = rows_[*index];
        row.included = !row.included;
        row.edited = true;
        pending += row.included ? 1 : -1;
        changed.push_back(*index);
    }
    if (!changed.empty()) {
        emit rowsIncludedChanged(changed);
        setPendingCount(pending);
    }
}

void AppModel::setDestination(const std::optional<Destination>& destination,
                              const std::filesystem::path& file) {
    setDestination(destination, std::vector{file});
}

void AppModel::setDestination(const std::optional<Destination>& destination,
                              const std::vector<std::filesystem::path>& files) {
    if (destination && destination->type == Destination::Type::folder) {
        rememberRecent(destination->path);
    }
    // What the person sees now is what the move will be held to.
    const auto chosen = destination ? std::optional(reviewed(*destination)) : std::nullopt;
    std::vector<std::filesystem::path> changed;
    int pending = pendingCount_;
    for (const auto& file : files) {
        Row* row = rowFor(file);
        if (row == nullptr) {
            continue;
        }
        pending -= row->isPending() ? 1 : 0;
        row->destination = chosen;
        row->included = destination.has_value();
        row->edited = true;
        pending += row->isPending() ? 1 : 0;
        changed.push_back(file);
    }
    if (changed.empty()) {
        return;
    }
    if (destination) {
        ignored_.remove(changed);
    } else {
        ignored_.add(changed);
    }
    emit rowsChanged();
    setPendingCount(pending);
}

void AppModel::tidyAgain(const std::vector<std::filesystem::path>& files) {
    const auto allows = [this](const std::filesystem::path& path) { return access_.allows(path); };
    std::vector<std::filesystem::path> back;
    int pending = pendingCount_;
    for (const auto& file : files) {
        Row* row = rowFor(file);
        if (row == nullptr || !row->isIgnored()) {
            continue;
        }
        *row = ReviewRows::suggested(row->suggestion, location_.home, allows);
        if (row->destination) {
            row->destination = reviewed(*row->destination);
        }
        pending += row->isPending() ? 1 : 0;
        back.push_back(file);
    }
    if (back.empty()) {
        return;
    }
    ignored_.remove(back);
    emit rowsChanged();
    setPendingCount(pending);
}

void AppModel::chooseFolder(const std::vector<std::filesystem::path>& files) {
    if (std::none_of(files.begin(), files.end(),
                     [this](const std::filesystem::path& file) { return rowFor(file); })) {
        return;
    }
    FolderPicker::Request request;
    request.startFolder = location_.home / "Documents";
    request.title = tr("Move to Another Folder");
    request.confirmText = tr("Move Here");
    request.several = false;
    request.canCreate = true;
    picker_.pickFolders(request, this,
                        [this, files](const std::vector<std::filesystem::path>& picked) {
                            if (picked.empty()) {
                                return;
                            }
                            access_.remember({picked.front()});
                            setDestination(Destination::folder(picked.front()), files);
                        });
}

void AppModel::tidy() {
    apply(pending());
}

void AppModel::apply(const std::vector<Row>& rows) {
    MoveRunner::Moves moves;
    for (const Row& row : rows) {
        if (row.destination) {
            moves.emplace_back(row.file(), *row.destination);
        }
    }
    if (moves.empty() || isMoving()) {
        return;
    }
    undoing_ = false; // before the mover tells that it runs
    const auto total = static_cast<int>(moves.size());
    if (moves_->apply(std::move(moves))) {
        watcher_->ownMovesStarting();
        emit moveProgress(0, total);
    }
}

void AppModel::undo() {
    if (isMoving()) {
        return;
    }
    undoing_ = true;
    if (moves_->undo()) {
        watcher_->ownMovesStarting();
        emit moveProgress(0, lastBatch_ ? static_cast<int>(lastBatch_->records.size()) : 0);
    }
}

void AppModel::undoIfNewest(const std::string& batch) {
    if (const auto newest = moves_->newestBatch(); newest && newest->id == batch) {
        undo();
    }
}

void AppModel::finishMoves(const std::vector<std::filesystem::path>& moved,
                           std::vector<MoveFailure> failures, const std::optional<Batch>& newest) {
    if (!moved.empty()) {
        std::unordered_set<std::string> gone;
        for (const auto& file : moved) {
            gone.insert(file.native());
        }
        std::erase_if(rows_, [&](const Row& row) { return gone.contains(row.file().native()); });
        const int pending = reindexRows();
        emit rowsChanged();
        setPendingCount(pending);
    }
    lastBatch_ = newest;
    emit lastBatchChanged();
    lastFailures_ = std::move(failures);
    showFailure_ = !lastFailures_.empty();
    // Emitted also when it stays true: every failed tidy or undo shows its alert once.
    emit showFailureChanged(showFailure_);
}

} // namespace vesk
