#pragma once

#include "app/AppLocation.h"
#include "app/FolderAccess.h"
#include "app/FolderPicker.h"
#include "app/IgnoredFiles.h"
#include "app/KeyStore.h"
#include "app/ModelEnvironment.h"
#include "app/ModelSetup.h"
#include "app/Row.h"
#include "app/Settings.h"
#include "app/SourceWatcher.h"
#include "core/model/ModelEndpoint.h"
#include "core/moves/FileMover.h"
#include "core/placement/Organizer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vesk {

class MoveRunner;
class ScanRunner;

// What the application model needs besides its location and settings; the defaults are the
// product's, tests shorten the wait and script the moves.
struct AppModelOptions {
    std::chrono::milliseconds debounce{5000}; // quiet time of a source folder before a scan
    bool sandboxed = FolderAccess::isSandboxed();
    std::function<void(const std::filesystem::path&)> beforeMove; // test hook of the mover
    // How recent a change a scan distrusts (OrganizerSettings::changeMargin).
    std::chrono::milliseconds changeMargin = OrganizerSettings().changeMargin;
};

// The one state object every window shows: settings and their storage, background scans and
// folder watching, the review rows, tidying and undoing. Lives on the main thread; every
// observable field has a change signal.
class AppModel : public QObject {
    Q_OBJECT

public:
    // `environment` overrides the model service the settings choose; `keys` keeps its key.
    AppModel(AppLocation location, Settings settings, ModelEnvironment environment,
             FolderPicker& picker, KeyStore& keys, AppModelOptions options = {});
    // Drops a running scan and lets a running tidy finish its current file first.
    ~AppModel() override;
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    // Whether the welcome flow is needed, read before any model exists: "--home" anywhere on
    // the command line chooses the fixture store.
    [[nodiscard]] static bool needsOnboarding(const QStringList& arguments);

    [[nodiscard]] const std::vector<Row>& rows() const { return rows_; }
    [[nodiscard]] const std::vector<Target>& targets() const { return targets_.list(); }
    [[nodiscard]] bool isBusy() const { return busy_; }
    [[nodiscard]] bool isMoving() const;
    // While moving: whether it is an undo rather than a tidy.
    [[nodiscard]] bool isUndoing() const { return undoing_; }
    [[nodiscard]] int waiting() const { return waiting_; }
    [[nodiscard]] const std::optional<Batch>& lastBatch() const { return lastBatch_; }
    [[nodiscard]] bool showFailure() const { return showFailure_; }
    [[nodiscard]] const std::vector<MoveFailure>& lastFailures() const { return lastFailures_; }
    void dismissFailure();

    [[nodiscard]] const std::vector<std::filesystem::path>& sources() const {
        return settings_.sources;
    }
    [[nodiscard]] bool onboarded() const { return onboarded_; }
    [[nodiscard]] bool useLLM() const { return useLLM_; }
    [[nodiscard]] bool allowContent() const { return settings_.allowContent; }
    [[nodiscard]] double minAgeDays() const { return settings_.minAgeDays; }
    // Each setter stores the three settings, rebuilds the organizer and rescans, also when the
    // value is unchanged.
    void setUseLLM(bool value);
    void setAllowContent(bool value);
    void setMinAgeDays(double days);
    [[nodiscard]] bool notifyWhenFilesWait() const { return settings_.notifyWhenFilesWait; }
    // Stored at once; what is shown outside the windows changes nothing to scan.
    void setNotifyWhenFilesWait(bool value);

    [[nodiscard]] const std::filesystem::path& home() const { return location_.home; }
    [[nodiscard]] const std::filesystem::path& supportDir() const { return location_.supportDir; }
    [[nodiscard]] const AppLocation& location() const { return location_; }
    [[nodiscard]] const ModelEndpoint& endpoint() const { return modelSetup_.endpoint(); }
    // The model service, its key and what it last said.
    [[nodiscard]] const ModelSetup& modelSetup() const { return modelSetup_; }
    // Whether the local model can be used: asked of the service on a worker at start, since the
    // answer may take a second.
    using ModelStatus = ModelSetup::Status;
    [[nodiscard]] ModelStatus modelStatus() const { return modelSetup_.status(); }
    // Why the local model can't be used, translated; absent while checking and when it can.
    [[nodiscard]] std::optional<QString> llmUnavailable() const;
    // Asks the model service again, saying so at once; the answer comes with
    // modelStatusChanged.
    void checkModel();
    // The same, while the last answer stays shown: the settings window opened.
    void recheckModel();
    // The model service's address, model and key: each stored (the key with the key store) and
    // asked about at once when it changes, and the model used from the next scan on.
    void setModelUrl(const std::string& url);
    void setModelName(const std::string& name);
    void setModelKey(const std::string& key);
    [[nodiscard]] FolderAccess& access() { return access_; }

    // Source folders.
    void addSource();
    // Never the last one: a model without sources would watch nothing while it still showed
    // what it found before. Returns whether it was removed.
    bool removeSource(const std::filesystem::path& folder);
    // Asks for folders to tidy and grants them; `picked` hears them unless `context` is gone.
    void pickFolders(QObject* context, FolderPicker::Picked picked);
    [[nodiscard]] std::vector<std::filesystem::path> suggestedSources() const;
    void finishOnboarding(std::vector<std::filesystem::path> folders, bool useModel);
    // After access to more folders was granted: a fresh organizer and a scan.
    void accessGranted();

    // Folders to file into: the person's list, or until it is edited the folders found in the
    // home. Adding or removing one stores the whole list, so it stays as the person left it.
    [[nodiscard]] std::vector<std::filesystem::path> targetRoots() const;
    void addTargetRoot();
    void removeTargetRoot(const std::filesystem::path& folder);

    void rescan();
    // The source folders that are not watched now, and why; each is looked at again later.
    [[nodiscard]] const std::vector<WatchProblem>& watchProblems() const;

    // Review rows.
    [[nodiscard]] std::vector<Row> pending() const;
    // As many as pending(), kept as rows change rather than counted.
    [[nodiscard]] int pendingCount() const { return pendingCount_; }
    // Where the file's row is in rows(), found without a search.
    [[nodiscard]] std::optional<std::size_t> rowIndex(const std::filesystem::path& file) const;
    [[nodiscard]] std::vector<RowGroup> groups() const;
    [[nodiscard]] std::vector<Row> orderedRows() const;
    // Sorted once per scan: a chooser opens on a home of thousands of folders at once.
    [[nodiscard]] const std::vector<const Target*>& folderChoices() const { return folderChoices_; }
    // Folders tidied into or chosen lately, newest first: from the history at start, then from
    // each tidy and each choice. Some may no longer be among the targets.
    [[nodiscard]] const std::vector<std::filesystem::path>& recentFolders() const {
        return recent_;
    }
    [[nodiscard]] QString title(const RowGroup::Key& key) const;
    void toggle(const std::filesystem::path& file);
    // Several rows at once tell the views once.
    void toggle(const std::vector<std::filesystem::path>& files);
    void setDestination(const std::optional<Destination>& destination,
                        const std::filesystem::path& file);
    // Without a destination the files are not tidied, and stay so across restarts until they
    // leave the source folder or the person gives them a destination again.
    void setDestination(const std::optional<Destination>& destination,
                        const std::vector<std::filesystem::path>& files);
    // Gives rows the person said not to tidy the engine's suggestion back.
    void tidyAgain(const std::vector<std::filesystem::path>& files);
    // Asks for any folder, once, and sends the files there.
    void chooseFolder(const std::vector<std::filesystem::path>& files);
    // Applies the pending rows; ignored while a tidy or undo runs.
    void tidy();
    void undo();
    // Takes back that tidy only while it is still the newest in the history, which vesk-cli
    // shares: an old notice never undoes a later tidy.
    void undoIfNewest(const std::string& batch);

signals:
    // Rows came, went or changed destination: what the groups hold may be different.
    void rowsChanged();
    // Only whether these rows (positions in rows()) take part changed; the groups stay.
    void rowsIncludedChanged(const std::vector<std::size_t>& rows);
    void pendingCountChanged(int count);
    void targetsChanged();
    void busyChanged(bool busy);
    void movingChanged(bool moving);
    // How many files of the tidy or undo under way are done.
    void moveProgress(int done, int total);
    // How many of its questions the local model has answered in the scan under way; a total
    // of 0 once the scan is over.
    void modelProgress(int done, int total);
    // A tidy or an undo has ended; rows and lastBatch already show its outcome.
    void tidied(const vesk::ApplyResult& result);
    void undone(const vesk::UndoResult& result);
    void waitingChanged(int waiting);
    void lastBatchChanged();
    void showFailureChanged(bool show);
    void sourcesChanged();
    void targetRootsChanged();
    void onboardedChanged(bool onboarded);
    void useLLMChanged(bool useLLM);
    void modelStatusChanged(vesk::AppModel::ModelStatus status);
    void allowContentChanged(bool allowContent);
    void minAgeDaysChanged(double days);
    void watchProblemsChanged();
    void notifyWhenFilesWaitChanged(bool notify);

private:
    void applySettingsChange();
    void applySourceChange();
    void setTargetRoots(std::vector<std::filesystem::path> folders);
    void watchSources();
    [[nodiscard]] std::shared_ptr<Organizer> makeOrganizer() const;
    void merge(const Plan& plan);
    // A plan that says how it differs from the rows' plan: only the rows it names are looked at.
    void mergeChanges(const Plan& plan);
    void mergeWhole(const Plan& plan);
    void scheduleScan(const Plan& plan);
    void apply(const std::vector<Row>& rows);
    void finishMoves(const std::vector<std::filesystem::path>& moved,
                     std::vector<MoveFailure> failures, const std::optional<Batch>& newest);
    void setBusy(bool busy);
    void modelAnswered(bool available);
    void modelEndpointChanged();
    void setModelChoice(std::string Settings::*field, std::string value);
    Row* rowFor(const std::filesystem::path& file);
    // After rows were replaced or removed: indexes them by file and counts the pending ones.
    [[nodiscard]] int reindexRows();
    void setPendingCount(int count);
    void rememberRecent(const std::filesystem::path& folder);
    void saveSettings(unsigned parts);

    AppLocation location_;
    Settings settings_; // as stored
    FolderPicker& picker_;
    FolderAccess access_;
    IgnoredFiles ignored_;
    ModelSetup modelSetup_;
    bool onboarded_ = false;
    bool useLLM_ = false;

    std::vector<Row> rows_;
    std::unordered_map<std::string, std::size_t> rowIndex_; // by the file's path
    int pendingCount_ = 0;
    PlanTargets targets_;
    std::vector<const Target*> folderChoices_; // into targets_
    std::vector<std::filesystem::path> recent_;
    bool busy_ = false;
    int waiting_ = 0;
    std::optional<Batch> lastBatch_;
    bool showFailure_ = false;
    bool undoing_ = false;
    std::vector<MoveFailure> lastFailures_;

    std::chrono::milliseconds changeMargin_;
    std::shared_ptr<Organizer> organizer_;
    std::uint64_t rowsPlan_ = 0; // the final plan the rows follow; 0: none
    bool partialMerged_ = false; // of a scan whose final plan has not come yet
    Date scanStart_;
    Date lastFullScan_; // asked of the organizer, or its first
    QTimer nextScan_; // a file becomes old enough, or the periodic scan is due
    // Declared last, so they stop their work before the state above goes away.
    std::unique_ptr<SourceWatcher> watcher_;
    std::unique_ptr<MoveRunner> moves_;
    std::unique_ptr<ScanRunner> scans_;
};

} // namespace vesk
