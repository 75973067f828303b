// Notices as the person gets them: through the desktop notifier, to a scripted notification
// service on a bus of the test's own.
#include "app/Notices.h"

#include "core/moves/FileMover.h"
#include "support/FakeNotifications.h"
#include "support/ModelHome.h"
#include "support/PrivateBus.h"
#include "ui/DesktopNotifier.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace vesk {
namespace {

using Shown = test::FakeNotifications::Shown;

class NoticesTest : public testing::Test, protected test::ModelHome {
protected:
    // Pictures in Downloads go to the Pictures folder, whatever their names.
    NoticesTest() { test::makeDir(location.home / "Pictures"); }

    // The newest notification with this summary, once there is one.
    std::optional<Shown> waitFor(const QString& summary) {
        std::optional<Shown> found;
        static_cast<void>(QTest::qWaitFor(
            [&] {
                for (const Shown& shown : service.shown()) {
                    if (shown.summary == summary) {
                        found = shown;
                    }
                }
                return found.has_value();
            },
            10'000));
        return found;
    }
    [[nodiscard]] bool readyAndSettled(const AppModel& model, std::size_t pending) const {
        return QTest::qWaitFor([&] { return !model.isBusy() && model.pending().size() == pending; },
                               10'000);
    }

    test::PrivateBus bus;
    test::FakeNotifications service{bus.connect()};
    DesktopNotifier notifier{bus.connect()};
};

TEST_F(NoticesTest, FilesReadyToTidyAreToldOnceWithTheirCountAndReview) {
    download("photo 1.jpg");
    download("photo 2.jpg");
    const auto model = makeModel(onboardedSettings());
    Notices notices(*model, notifier);
    QSignalSpy review(&notices, &Notices::reviewRequested);
    const auto first = waitFor("2 files are ready to tidy");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->app, "Vesk");
    EXPECT_EQ(first->icon, "app.vesk.Vesk");
    EXPECT_EQ(first->hints.value("desktop-entry"), "app.vesk.Vesk");
    EXPECT_EQ(first->actions, (QStringList{"default", "Review", "review", "Review"}));

    // Nothing new, nothing to tell; turned off, not even twice as many files.
    model->rescan();
    ASSERT_TRUE(readyAndSettled(*model, 2));
    model->setNotifyWhenFilesWait(false);
    EXPECT_FALSE(stored().notifyWhenFilesWait);
    download("photo 3.jpg");
    download("photo 4.jpg");
    model->rescan();
    ASSERT_TRUE(readyAndSettled(*model, 4));
    EXPECT_EQ(service.shown().size(), 1U);

    // On again: the next scan tells of all four, in place of the first notice.
    model->setNotifyWhenFilesWait(true);
    model->rescan();
    const auto second = waitFor("4 files are ready to tidy");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->replaces, first->id);

    service.invoke(second->id, "review");
    EXPECT_TRUE(QTest::qWaitFor([&] { return review.count() == 1; }, 10'000));
}

TEST_F(NoticesTest, ATidyOffersUndoAndUndoBringsTheFilesBack) {
    const auto first = download("photo 1.jpg");
    const auto second = download("photo 2.jpg");
    const auto model = makeModel(onboardedSettings());
    Notices notices(*model, notifier);
    ASSERT_TRUE(readyAndSettled(*model, 2));
    model->tidy();
    const auto moved = waitFor("Moved 2 files");
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->body, "");
    EXPECT_EQ(moved->actions, (QStringList{"default", "Review", "undo", "Undo"}));
    EXPECT_FALSE(std::filesystem::exists(first));

    service.invoke(moved->id, "undo");
    ASSERT_TRUE(waitFor("Put back 2 files"));
    EXPECT_TRUE(std::filesystem::exists(first) && std::filesystem::exists(second));
}

TEST_F(NoticesTest, AnOldUndoNeverTakesBackALaterTidy) {
    const auto first = download("photo 1.jpg");
    const auto model = makeModel(onboardedSettings());
    Notices notices(*model, notifier);
    ASSERT_TRUE(readyAndSettled(*model, 1));
    model->tidy();
    const auto moved = waitFor("Moved 1 file");
    ASSERT_TRUE(moved);

    // vesk-cli tidies meanwhile: its batch is now the newest.
    const auto other = test::writeFile(location.home / "Desktop/notes.txt");
    FileMover cli(location.historyFile());
    ASSERT_TRUE(
        cli.apply({{other, Destination::folder(location.home / "Pictures")}}, {}).failures.empty());

    service.invoke(moved->id, "undo");
    QTest::qWait(300);
    ASSERT_TRUE(settle(*model));
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(other));
    EXPECT_EQ(cli.history().size(), 2U);
}

TEST_F(NoticesTest, AFailedMoveIsNamedInTheNotice) {
    download("photo 1.jpg");
    const auto second = download("photo 2.jpg");
    const auto model = makeModel(onboardedSettings());
    Notices notices(*model, notifier);
    ASSERT_TRUE(readyAndSettled(*model, 2));
    std::filesystem::remove(second);
    model->tidy();
    const auto failed = waitFor("Some files couldn't be moved.");
    ASSERT_TRUE(failed);
    ASSERT_EQ(model->lastFailures().size(), 1U);
    EXPECT_EQ(failed->body, "Moved 1 file\nphoto 2.jpg: " +
                                QString::fromStdString(model->lastFailures()[0].message));
    // The file that did move can still be put back.
    EXPECT_TRUE(failed->actions.contains("undo"));
}

} // namespace
} // namespace vesk
