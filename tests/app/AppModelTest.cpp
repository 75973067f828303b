#include "app/AppModel.h"
#include "support/ChildProcess.h"
#include "support/FakeModelServer.h"
#include "support/ModelHome.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <unistd.h>

namespace vesk {
namespace {

using namespace std::chrono_literals;
using test::writeFile;

const ModelEnvironment modelOff{.url = "off"};

bool waitFor(const std::function<bool()>& condition, int milliseconds = 10'000) {
    return QTest::qWaitFor(condition, milliseconds);
}

int scansStarted(const QSignalSpy& busy) {
    int count = 0;
    for (const auto& arguments : busy) {
        count += arguments.at(0).toBool() ? 1 : 0;
    }
    return count;
}

class AppModelTest : public testing::Test, protected test::ModelHome {
protected:
    AppModelTest()
        : ModelHome({"Documents/Invoices/Invoice Telenor March.pdf",
                     "Documents/Invoices/Invoice Telenor April.pdf",
                     "Documents/Recipes/Recipe lasagne.txt"}) {}

    static void settleOrFail(const AppModel& model) { ASSERT_TRUE(settle(model)); }
};

TEST_F(AppModelTest, FirstLaunchWaitsForOnboardingWithTheModelsDefault) {
    test::FakeModelServer server;
    for (const bool available : {true, false}) {
        const auto model =
            makeModel(Settings{}, available ? ModelEnvironment{.url = server.baseUrl()} : modelOff);
        QSignalSpy busy(model.get(), &AppModel::busyChanged);
        ASSERT_TRUE(modelChecked(*model));
        EXPECT_TRUE(model->sources().empty());
        EXPECT_FALSE(model->onboarded());
        EXPECT_EQ(model->useLLM(), available);
        EXPECT_EQ(model->llmUnavailable().has_value(), !available);
        EXPECT_FALSE(model->allowContent());
        EXPECT_EQ(model->minAgeDays(), 3);
        EXPECT_TRUE(std::filesystem::is_directory(location.supportDir));

        // Nothing scans before onboarding, neither asked nor by a folder change.
        model->rescan();
        download("early.pdf");
        QTest::qWait(static_cast<int>(debounce.count()) * 2);
        EXPECT_EQ(busy.count(), 0);
        EXPECT_TRUE(model->rows().empty());
    }
    const auto off = makeModel(Settings{});
    ASSERT_TRUE(modelChecked(*off));
    EXPECT_EQ(off->llmUnavailable(), "The local model is turned off");
}

TEST_F(AppModelTest, StoredChoicesWinAndOnboardingNeedsASource) {
    test::FakeModelServer server;
    Settings settings;
    settings.useLLM = false;
    settings.minAgeDays = 0.5;
    settings.onboardingFinished = true; // but no source
    const auto model = makeModel(settings, {.url = server.baseUrl()});
    EXPECT_FALSE(model->useLLM());
    EXPECT_EQ(model->minAgeDays(), 0.5);
    EXPECT_FALSE(model->onboarded());

    // "--home" anywhere, even last, reads the fixture store.
    const test::TempDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
    ASSERT_TRUE(
        settings.save(AppLocation::settingsFileFor({"vesk", "--home"}), Settings::onboardedPart));
    EXPECT_TRUE(AppModel::needsOnboarding({"vesk", "--home"}));
    settings.sources = {location.home / "Downloads"};
    ASSERT_TRUE(
        settings.save(AppLocation::settingsFileFor({"vesk", "--home"}), Settings::sourcesPart));
    EXPECT_FALSE(AppModel::needsOnboarding({"vesk", "--home"}));
    EXPECT_TRUE(AppModel::needsOnboarding({"vesk"}));
}

TEST_F(AppModelTest, FinishingOnboardingStoresTheChoicesAndScans) {
    download("Invoice Telenor May.pdf");
    Settings settings;
    settings.minAgeDays = 0;
    const auto model = makeModel(settings);
    QSignalSpy onboarded(model.get(), &AppModel::onboardedChanged);
    model->finishOnboarding({location.home / "Downloads", location.home / "Desktop"}, false);
    EXPECT_EQ(onboarded.count(), 1);
    EXPECT_TRUE(model->isBusy());
    settleOrFail(*model);
    ASSERT_EQ(model->rows().size(), 1U);
    EXPECT_EQ(model->rows()[0].destination,
              Destination::folder(location.home / "Documents/Invoices"));

    const Settings saved = stored();
    EXPECT_EQ(saved.sources, model->sources());
    EXPECT_TRUE(saved.onboarded());
    EXPECT_EQ(saved.useLLM, false);
}

TEST_F(AppModelTest, RequestsDuringAScanGiveOneMoreScanWithTheNewestSettings) {
    download("Invoice Telenor May.pdf");
    const auto model = makeModel(onboardedSettings());
    QSignalSpy busy(model.get(), &AppModel::busyChanged);
    ASSERT_TRUE(model->isBusy()); // the first scan started with the model
    model->rescan();
    model->setMinAgeDays(7); // the file is brand new: too new from now on
    model->rescan();
    model->rescan();
    settleOrFail(*model); // a follow-up scan would start before the first one says it ended
    EXPECT_EQ(scansStarted(busy), 1);
    EXPECT_TRUE(model->rows().empty());
    EXPECT_EQ(model->waiting(), 1);
    EXPECT_EQ(stored().minAgeDays, 7);
}

TEST_F(AppModelTest, QuittingDuringAScanThatWaitsOnTheModelEndsItAtOnce) {
    download("Grandma secret sauce.txt");
    test::FakeModelServer server;
    server.setHandler([](const nlohmann::ordered_json&) {
        auto stalled = test::FakeModelServer::status(500);
        stalled.delay = 10min;
        return stalled;
    });
    Settings settings = onboardedSettings();
    settings.useLLM = true;
    // Without the stop the model would wait out the request's whole time-out and more.
    auto model = makeModel(settings, {.url = server.baseUrl(), .timeout = 10min});
    ASSERT_TRUE(waitFor([&] { return !server.chatRequests().empty(); }));
    model.reset();
    EXPECT_EQ(server.chatRequests().size(), 1U);
    EXPECT_FALSE(std::filesystem::exists(location.supportDir / "folder-profiles.json"));
}

// A service that starts after Vesk is found by the next scan, without a restart.
TEST_F(AppModelTest, AScanAfterAFailedCheckAsksTheServiceAgain) {
    test::FakeModelServer server;
    server.setModelsReply(test::FakeModelServer::status(503));
    const auto model = makeModel(onboardedSettings(), {.url = server.baseUrl()});
    ASSERT_TRUE(modelChecked(*model));
    settleOrFail(*model);
    EXPECT_EQ(model->llmUnavailable(), "The local model isn't ready yet");
    EXPECT_FALSE(model->useLLM());

    server.setModelsReply({200, R"({"data":[{"id":"m"}]})"});
    model->rescan();
    ASSERT_TRUE(waitFor([&] { return model->modelStatus() == AppModel::ModelStatus::available; }));
    EXPECT_TRUE(model->useLLM()); // nothing chosen: the model is used once it answers
}

// The review window counts the model's answers as they come, and stops counting at the end.
TEST_F(AppModelTest, TheModelsProgressIsToldWhileItAnswers) {
    download("Grandma secret sauce.txt");
    test::FakeModelServer server;
    Settings settings = onboardedSettings();
    settings.useLLM = true;
    const auto model = makeModel(settings, {.url = server.baseUrl()});
    QSignalSpy progress(model.get(), &AppModel::modelProgress);
    settleOrFail(*model);
    ASSERT_FALSE(server.chatRequests().empty());
    ASSERT_GE(progress.count(), 2);
    int most = 0;
    for (const auto& arguments : progress) {
        EXPECT_LE(arguments.at(0).toInt(), arguments.at(1).toInt());
        most = std::max(most, arguments.at(1).toInt());
    }
    EXPECT_GT(most, 0);
    EXPECT_EQ(progress.last(), (QList<QVariant>{0, 0}));
}

TEST_F(AppModelTest, SettingAValueItAlreadyHasStillStoresAndRescans) {
    const auto model = makeModel(onboardedSettings());
    settleOrFail(*model);
    QSignalSpy busy(model.get(), &AppModel::busyChanged);
    QSignalSpy changed(model.get(), &AppModel::minAgeDaysChanged);
    model->setMinAgeDays(0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(scansStarted(busy), 1);
    const Settings saved = stored();
    EXPECT_EQ(saved.useLLM, false);
    EXPECT_EQ(saved.minAgeDays, 0);
    EXPECT_FALSE(saved.allowContent);
}

TEST_F(AppModelTest, AFolderChangeScansOnceAfterItSettles) {
    const auto model = makeModel(onboardedSettings());
    settleOrFail(*model);
    QSignalSpy busy(model.get(), &AppModel::busyChanged);

    download("Invoice Telenor May.pdf");
    ASSERT_TRUE(waitFor([&] { return model->rows().size() == 1; }));
    settleOrFail(*model);
    EXPECT_EQ(scansStarted(busy), 1);

    // Ten files in a burst, each well within the quiet time of the one before.
    busy.clear();
    for (int i = 0; i < 10; ++i) {
        download("Invoice Telenor " + std::to_string(i) + ".pdf");
        QTest::qWait(20);
    }
    ASSERT_TRUE(waitFor([&] { return model->rows().size() == 11; }));
    settleOrFail(*model);
    QTest::qWait(static_cast<int>(debounce.count()) * 2);
    EXPECT_EQ(scansStarted(busy), 1);
}

TEST_F(AppModelTest, ARescanGivesTheRowsAWholeMergeWouldAndTellsOfNoneWhenNothingChanged) {
    for (const char* name : {"Invoice Telenor May.pdf", "Recipe pesto.txt", "notes.txt"}) {
        download(name);
    }
    AppModelOptions options;
    options.changeMargin = 40ms;
    const auto model = makeModel(onboardedSettings(), modelOff, options);
    settleOrFail(*model);
    ASSERT_EQ(model->rows().size(), 3U);
    model->setDestination(Destination::trash(), downloads() / "notes.txt");
    QTest::qWait(120); // what the first scan read is trusted from now on

    QSignalSpy changed(model.get(), &AppModel::rowsChanged);
    model->rescan();
    settleOrFail(*model);
    EXPECT_EQ(changed.count(), 0);

    download("Invoice Telenor June.pdf");
    std::filesystem::remove(downloads() / "Recipe pesto.txt");
    ASSERT_TRUE(waitFor([&] { return changed.count() > 0; }));
    settleOrFail(*model);

    const auto whole = makeModel(onboardedSettings(), modelOff);
    settleOrFail(*whole);
    whole->setDestination(Destination::trash(), downloads() / "notes.txt");
    EXPECT_EQ(model->rows(), whole->rows());
    EXPECT_EQ(model->pendingCount(), whole->pendingCount());
    EXPECT_EQ(model->rows().size(), 3U);
}

TEST_F(AppModelTest, SourceChangesRewatchSaveAndScan) {
    const auto gone = location.home / "Gone";
    const auto file = writeFile(location.home / "NotAFolder");
    Settings settings = onboardedSettings();
    settings.sources = {gone, file, location.home / "Downloads"};
    const auto model = makeModel(settings);
    settleOrFail(*model);
    EXPECT_EQ(model->watchProblems(),
              (std::vector<WatchProblem>{{gone, platform::WatchRefusal::missing},
                                         {file, platform::WatchRefusal::notFolder}}));

    // The folder that works is still watched and scanned.
    download("Invoice Telenor May.pdf");
    ASSERT_TRUE(waitFor([&] { return model->rows().size() == 1; }));
    settleOrFail(*model);

    QSignalSpy busy(model.get(), &AppModel::busyChanged);
    picker.answer({location.home / "Downloads"}); // already a source
    model->addSource();
    EXPECT_EQ(model->sources().size(), 3U);
    EXPECT_EQ(scansStarted(busy), 1);
    EXPECT_EQ(picker.requests().back().confirmText, "Add");
    EXPECT_EQ(picker.requests().back().startFolder, location.home);
    settleOrFail(*model);

    model->addSource(); // cancelled
    EXPECT_EQ(scansStarted(busy), 1);

    EXPECT_TRUE(model->removeSource(location.home / "Downloads"));
    EXPECT_EQ(scansStarted(busy), 2);
    EXPECT_EQ(stored().sources, (std::vector{gone, file}));
    settleOrFail(*model);
    EXPECT_TRUE(model->rows().empty());

    // The last folder stays, so what is shown and what is watched never part.
    EXPECT_TRUE(model->removeSource(gone));
    settleOrFail(*model);
    EXPECT_FALSE(model->removeSource(file));
    EXPECT_EQ(model->sources(), std::vector{file});
    EXPECT_EQ(stored().sources, std::vector{file});
    EXPECT_EQ(scansStarted(busy), 3);
}

bool hasRow(const AppModel& model, const std::filesystem::path& file) {
    return std::ranges::any_of(model.rows(), [&](const Row& row) { return row.file() == file; });
}

TEST_F(AppModelTest, AFolderThatGoesAndComesBackIsWatchedAgain) {
    const auto later = location.home / "Later" / "Inbox";
    Settings settings = onboardedSettings();
    settings.sources = {downloads(), later};
    const auto model = makeModel(settings);
    settleOrFail(*model);
    ASSERT_EQ(model->watchProblems().size(), 1U);
    QSignalSpy problems(model.get(), &AppModel::watchProblemsChanged);

    const auto aside = location.home / "Aside";
    struct Loss {
        const char* how;
        std::function<void()> lose;
        std::function<void()> restore;
    };
    const Loss losses[] = {
        {"deleted and made again", [&] { std::filesystem::remove_all(downloads()); },
         [&] { std::filesystem::create_directory(downloads()); }},
        {"moved away and back", [&] { std::filesystem::rename(downloads(), aside); },
         [&] { std::filesystem::rename(aside, downloads()); }},
    };
    int dropped = 0;
    for (const Loss& loss : losses) {
        SCOPED_TRACE(loss.how);
        loss.lose();
        ASSERT_TRUE(waitFor([&] { return model->watchProblems().size() == 2; }));
        loss.restore();
        ASSERT_TRUE(waitFor([&] { return model->watchProblems().size() == 1; }));
        const auto file = download("Invoice Telenor " + std::to_string(++dropped) + ".pdf");
        ASSERT_TRUE(waitFor([&] { return hasRow(*model, file); }));
    }
    EXPECT_EQ(problems.count(), 4);

    // A folder that wasn't there at the start, nor its parent, is watched once it is made.
    std::filesystem::create_directories(later);
    ASSERT_TRUE(waitFor([&] { return model->watchProblems().empty(); }));
    const auto late = writeFile(later / "Invoice Telenor Late.pdf");
    EXPECT_TRUE(waitFor([&] { return hasRow(*model, late); }));
}

TEST_F(AppModelTest, AFileIsOfferedWhenItBecomesOldEnoughWithoutAnyOtherChange) {
    download("Invoice Telenor May.pdf");
    Settings settings = onboardedSettings();
    settings.minAgeDays = 2.0 / 86400; // two seconds: time enough for the first scan to run
    const auto model = makeModel(settings);
    QSignalSpy busy(model.get(), &AppModel::busyChanged);
    ASSERT_TRUE(waitFor([&] { return !model->isBusy() && model->waiting() == 1; }));
    EXPECT_TRUE(model->rows().empty());

    ASSERT_TRUE(waitFor([&] { return model->rows().size() == 1; }, 5'000));
    settleOrFail(*model);
    EXPECT_EQ(model->waiting(), 0);
    EXPECT_EQ(scansStarted(busy), 1); // when the file was due, and no other
}

class AppModelTidyTest : public AppModelTest {
protected:
    static Row rowOf(const AppModel& model, const std::filesystem::path& file) {
        for (const Row& row : model.rows()) {
            if (row.file() == file) {
                return row;
            }
        }
        ADD_FAILURE() << "no row for " << file;
        return {};
    }

    std::unique_ptr<AppModel> scanned(AppModelOptions options = {}) {
        for (const char* name :
             {"Invoice Telenor May.pdf", "Invoice Telenor June.pdf", "Recipe carbonara.txt"}) {
            files.push_back(download(name));
        }
        auto model = makeModel(onboardedSettings(), modelOff, std::move(options));
        settleOrFail(*model);
        EXPECT_EQ(model->pending().size(), 3U);
        return model;
    }

    std::vector<std::filesystem::path> files;
};

TEST_F(AppModelTidyTest, ATidyWithOneFailureKeepsThatRowAndShowsTheFailure) {
    const auto model = scanned();
    QSignalSpy failure(model.get(), &AppModel::showFailureChanged);
    std::filesystem::remove(files[1]);
    model->tidy();
    EXPECT_TRUE(model->isMoving());
    settleOrFail(*model);
    ASSERT_EQ(model->rows().size(), 1U);
    EXPECT_EQ(model->rows()[0].file(), files[1]);
    EXPECT_TRUE(model->showFailure());
    ASSERT_EQ(failure.count(), 1);
    ASSERT_EQ(model->lastFailures().size(), 1U);
    EXPECT_EQ(model->lastFailures()[0].file, files[1]);
    ASSERT_TRUE(model->lastBatch());
    EXPECT_EQ(model->lastBatch()->records.size(), 2U);
    EXPECT_TRUE(
        std::filesystem::exists(location.home / "Documents/Invoices" / files[0].filename()));

    model->dismissFailure();
    EXPECT_FALSE(model->showFailure());
}

TEST_F(AppModelTidyTest, ATidyWhereEveryMoveFailsKeepsTheRowsAndTheLastBatch) {
    const auto model = scanned();
    for (const auto& file : files) {
        std::filesystem::remove(file);
    }
    model->tidy();
    settleOrFail(*model);
    EXPECT_EQ(model->rows().size(), 3U);
    EXPECT_FALSE(model->lastBatch());
    EXPECT_TRUE(model->showFailure());
    EXPECT_EQ(model->lastFailures().size(), 3U);
}

// The folder watcher sees the tidy's and the undo's own moves: they bring no scan of their own,
// beyond the one that gives the files that came back their rows.
TEST_F(AppModelTidyTest, UndoPutsTheFilesBackAndRescansOnceAndATidyNotAtAll) {
    const auto model = scanned();
    model->toggle(files[2]); // excluded: stays where it is
    EXPECT_EQ(model->pending().size(), 2U);
    QSignalSpy busy(model.get(), &AppModel::busyChanged);
    model->tidy();
    settleOrFail(*model);
    EXPECT_EQ(model->rows().size(), 1U);
    EXPECT_FALSE(model->rows()[0].included);
    QTest::qWait(static_cast<int>(debounce.count()) * 3);
    EXPECT_EQ(scansStarted(busy), 0);

    model->undo();
    settleOrFail(*model);
    QTest::qWait(static_cast<int>(debounce.count()) * 3);
    EXPECT_TRUE(std::filesystem::exists(files[0]) && std::filesystem::exists(files[1]));
    EXPECT_FALSE(model->lastBatch());
    EXPECT_FALSE(model->showFailure());
    EXPECT_EQ(scansStarted(busy), 1);
    EXPECT_EQ(model->rows().size(), 3U);
    EXPECT_EQ(model->pending().size(), 2U); // the excluded row kept its choice

    busy.clear();
    model->undo(); // nothing left to undo
    settleOrFail(*model);
    EXPECT_FALSE(model->lastBatch());
    EXPECT_FALSE(model->showFailure());
    EXPECT_EQ(scansStarted(busy), 1);
}

TEST_F(AppModelTidyTest, AFileThatArrivesDuringATidyIsStillSeen) {
    std::filesystem::path arrived;
    AppModelOptions options;
    options.beforeMove = [&](const std::filesystem::path&) {
        if (arrived.empty()) {
            arrived = download("Invoice Telenor July.pdf");
        }
    };
    const auto model = scanned(std::move(options));
    model->tidy();
    ASSERT_TRUE(waitFor([&] {
        return std::ranges::any_of(model->rows(),
                                   [&](const Row& row) { return row.file() == arrived; });
    }));
}

TEST_F(AppModelTidyTest, TheEventLoopRunsDuringASlowTidyAndASecondRequestIsIgnored) {
    AppModelOptions options;
    options.beforeMove = [](const std::filesystem::path&) { std::this_thread::sleep_for(150ms); };
    const auto model = scanned(std::move(options));
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    model->tidy();
    model->tidy();
    model->undo();
    EXPECT_TRUE(model->isMoving());
    settleOrFail(*model);
    EXPECT_GT(ticks, 10);
    ASSERT_TRUE(model->lastBatch());
    EXPECT_EQ(model->lastBatch()->records.size(), 3U);
    EXPECT_TRUE(model->rows().empty());
}

TEST_F(AppModelTidyTest, QuittingDuringASlowTidyEndsAfterTheFileInProgressWithItRecorded) {
    std::atomic<bool> moving = false;
    AppModelOptions options;
    options.beforeMove = [&](const std::filesystem::path&) {
        moving = true;
        std::this_thread::sleep_for(150ms);
    };
    auto model = scanned(std::move(options));
    model->tidy();
    ASSERT_TRUE(waitFor([&] { return moving.load(); }));
    model.reset();

    const auto history = readHistory(location.historyFile());
    const auto recorded = history.empty() ? 0U : history[0].records.size();
    const auto moved = std::count_if(files.begin(), files.end(), [](const auto& file) {
        return !std::filesystem::exists(file);
    });
    EXPECT_EQ(recorded, static_cast<std::size_t>(moved));
    EXPECT_LT(moved, 3);
}

TEST_F(AppModelTidyTest, ATidyKilledElsewhereIsSettledAtStartAndShownWithTheFailures) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        files.push_back(download(name));
    }
    test::ChildProcess killed([&] {
        FileMover mover(location.historyFile());
        int started = 0;
        mover.setBeforeMove([&](const std::filesystem::path&) {
            if (++started == 3) {
                ::_exit(0);
            }
        });
        const auto kept = Destination::folder(location.home / "Kept");
        (void)mover.apply({{files[0], kept}, {files[1], kept}, {files[2], kept}});
        return 1;
    });
    ASSERT_EQ(killed.wait(), 0);

    const auto model = makeModel(onboardedSettings(), modelOff);
    EXPECT_TRUE(model->showFailure());
    EXPECT_EQ(model->lastFailures().size(), 2U);
    ASSERT_TRUE(model->lastBatch());
    EXPECT_EQ(model->lastBatch()->records.size(), 2U);
    settleOrFail(*model);
}

TEST_F(AppModelTidyTest, AFileAlreadyInTheChosenFolderLeavesItsRow) {
    const auto model = scanned();
    model->setDestination(Destination::folder(location.home / "Downloads/"), files[0]);
    model->tidy();
    settleOrFail(*model);
    EXPECT_TRUE(std::filesystem::exists(files[0]));
    EXPECT_TRUE(model->rows().empty());
    EXPECT_FALSE(model->showFailure());
}

TEST_F(AppModelTidyTest, RowsCanBeRedirectedToAnyFolderOrTheTrash) {
    const auto model = scanned();
    const auto elsewhere = test::makeDir(location.home / "Documents/Elsewhere");
    picker.answer({elsewhere});
    model->chooseFolder({files[0]});
    EXPECT_EQ(picker.requests().back().startFolder, location.home / "Documents");
    EXPECT_EQ(picker.requests().back().confirmText, "Move Here");
    model->chooseFolder({files[1]}); // cancelled: unchanged
    model->setDestination(Destination::trash(), files[2]);
    EXPECT_EQ(rowOf(*model, files[0]).destination, Destination::folder(elsewhere));
    EXPECT_EQ(rowOf(*model, files[1]).destination,
              Destination::folder(location.home / "Documents/Invoices"));
    EXPECT_EQ(rowOf(*model, files[2]).destination, Destination::trash());

    model->setDestination(std::nullopt, files[1]);
    model->toggle(files[1]); // no destination: nothing to include
    EXPECT_FALSE(rowOf(*model, files[1]).included);
    EXPECT_TRUE(rowOf(*model, files[1]).edited);
    EXPECT_EQ(model->pending().size(), 2U);
    const auto groups = model->groups();
    ASSERT_EQ(groups.size(), 3U);
    EXPECT_EQ(model->title(groups[0].key), "Elsewhere");
    EXPECT_EQ(model->title(groups[1].key), "Trash");
    EXPECT_EQ(model->title(groups[2].key), "Ignored");
}

TEST_F(AppModelTidyTest, DontTidyHoldsAcrossRestartsUntilTheFileLeavesItsFolder) {
    {
        const auto model = scanned();
        model->setDestination(std::nullopt, {files[0], files[1]});
    }
    auto model = makeModel(onboardedSettings(), modelOff);
    settleOrFail(*model);
    for (const auto& file : {files[0], files[1]}) {
        EXPECT_TRUE(rowOf(*model, file).isIgnored());
        EXPECT_FALSE(rowOf(*model, file).included);
    }
    EXPECT_EQ(model->pendingCount(), 1);
    EXPECT_EQ(model->title(model->groups().back().key), "Ignored");

    // Taken back: the engine's suggestion again, also after the next start.
    model->tidyAgain({files[0]});
    EXPECT_TRUE(rowOf(*model, files[0]).isPending());
    EXPECT_EQ(model->pendingCount(), 2);
    model = makeModel(onboardedSettings(), modelOff);
    settleOrFail(*model);
    EXPECT_TRUE(rowOf(*model, files[0]).isPending());
    EXPECT_TRUE(rowOf(*model, files[1]).isIgnored());

    // Gone from the folder, it is forgotten: the same file brought back is tidied again.
    const auto away = location.home / "away.pdf";
    std::filesystem::rename(files[1], away);
    model->rescan();
    settleOrFail(*model);
    std::filesystem::rename(away, files[1]);
    model->rescan();
    settleOrFail(*model);
    EXPECT_TRUE(rowOf(*model, files[1]).isPending());
}

} // namespace
} // namespace vesk
