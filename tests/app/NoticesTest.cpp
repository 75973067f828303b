// Notices as the person gets them: through the desktop notifier, to a scripted notification
// service on a bus of the test's own.
#include "app/Notices.h"

#include "core/moves/FileMover.h"
#include "support/FakeNotifications.h"
#include "support/ModelHome.h"
#include "support/PrivateBus.h"
#include "ui/DesktopNotifier.h"

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

TEST_F(NoticesTest, TurnedOffNothingIsSentAndTurnedOnTheNextScanTells) {
    Settings settings = onboardedSettings();
    settings.notifyWhenFilesWait = false;
    download("photo 1.jpg");
    const auto model = makeModel(settings);
    Notices notices(*model, notifier);
    ASSERT_TRUE(readyAndSettled(*model, 1));
    model->tidy();
    ASSERT_TRUE(settle(*model));

    model->setNotifyWhenFilesWait(true);
    download("photo 2.jpg");
    model->rescan();
    ASSERT_TRUE(waitFor("1 file is ready to tidy"));
    // Sent one after the other, so anything sent before would have come first.
    EXPECT_EQ(service.shown().size(), 1U);
}

TEST_F(NoticesTest, ATidyWithAFailureNamesItAndUndoBringsBackWhatMoved) {
    const auto first = download("photo 1.jpg");
    const auto second = download("photo 2.jpg");
    const auto model = makeModel(onboardedSettings());
    Notices notices(*model, notifier);
    ASSERT_TRUE(readyAndSettled(*model, 2));
    std::filesystem::remove(second);
    model->tidy();
    const auto failed = waitFor("Some files couldn't be moved.");
    ASSERT_TRUE(failed);
    ASSERT_EQ(model->lastFailures().size(), 1U);
    EXPECT_EQ(failed->body, "Moved 1 file\nphoto 2.jpg: The file is no longer where it was");
    EXPECT_EQ(failed->actions, (QStringList{"default", "Review", "undo", "Undo"}));
    EXPECT_FALSE(std::filesystem::exists(first));

    service.invoke(failed->id, "undo");
    ASSERT_TRUE(waitFor("Put back 1 file"));
    EXPECT_TRUE(std::filesystem::exists(first));
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

} // namespace
} // namespace vesk
