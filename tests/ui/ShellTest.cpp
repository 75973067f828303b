#include "ui/Shell.h"

#include "app/WelcomeFlow.h"
#include "support/FakeNotifications.h"
#include "support/FakeStatusNotifierWatcher.h"
#include "support/ModelHome.h"
#include "support/PrivateBus.h"
#include "ui/DesktopNotifier.h"
#include "ui/PrivacyInfo.h"
#include "ui/ReviewWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/TrayMenu.h"
#include "ui/WelcomeWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace vesk {
namespace {

using namespace std::chrono_literals;

class ShellTest : public testing::Test, protected test::ModelHome {
protected:
    // The autostart entry goes to the XDG config folder: this test's own.
    ShellTest() : configBefore_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir / "config").string()));
    }
    ~ShellTest() override { qputenv("XDG_CONFIG_HOME", configBefore_); }
    ShellTest(const ShellTest&) = delete;
    ShellTest& operator=(const ShellTest&) = delete;

    // A tray is waited for far longer than any test runs, unless a test says otherwise.
    std::unique_ptr<Shell> makeShell(AppModel& model, LaunchOptions options = {},
                                     std::chrono::milliseconds trayPatience = 1h) {
        return std::make_unique<Shell>(model, Links{}, options, notifier, bus.connect(),
                                       trayPatience);
    }
    // A notification service on the test's bus, once the notifier has found it.
    [[nodiscard]] bool startNotifications() {
        service.emplace(bus.connect());
        return QTest::qWaitFor([&] { return notifier.isAvailable(); }, 10'000);
    }
    // Lets windows that were closed go away.
    static void dropClosedWindows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QString page(const WelcomeWindow& window) {
        return window.findChild<QStackedWidget*>("welcomeSteps")->currentWidget()->objectName();
    }

    test::PrivateBus bus;
    std::optional<test::FakeNotifications> service; // none unless a test starts one
    DesktopNotifier notifier{bus.connect()};

private:
    QByteArray configBefore_;
};

TEST_F(ShellTest, AFirstLaunchWelcomesAndStartOpensTheReview) {
    const auto model = makeModel({});
    const auto shell = makeShell(*model);
    shell->start();
    WelcomeWindow* welcome = shell->welcomeWindow();
    ASSERT_NE(welcome, nullptr);
    EXPECT_TRUE(welcome->isVisible());
    EXPECT_EQ(shell->reviewWindow(), nullptr);

    // The menu's "Set Up Vesk…" raises the same window, and so does a launch without options.
    shell->menu()->findChild<QAction*>("setUpAction")->trigger();
    EXPECT_EQ(shell->welcomeWindow(), welcome);
    shell->handle(LaunchOptions{});
    EXPECT_EQ(shell->welcomeWindow(), welcome);
    EXPECT_EQ(shell->reviewWindow(), nullptr);

    welcome->flow().setChosen(downloads(), true);
    welcome->flow().advance();
    welcome->flow().advance();
    welcome->findChild<QPushButton*>("primaryButton")->click();
    dropClosedWindows();
    EXPECT_EQ(shell->welcomeWindow(), nullptr);
    ASSERT_NE(shell->reviewWindow(), nullptr);
    EXPECT_TRUE(shell->reviewWindow()->isVisible());
    EXPECT_TRUE(model->onboarded());
    EXPECT_EQ(stored().sources, std::vector{downloads()});
}

TEST_F(ShellTest, WithoutATrayTheReviewCarriesTheMenuAndClosesToTheBackgroundWithNotices) {
    const auto model = makeModel(onboardedSettings());
    LaunchOptions options;
    options.openReview = true;
    // The offscreen platform has no tray; the review window opens before Vesk gives up on one.
    const auto shell = makeShell(*model, options, 500ms);
    QSignalSpy quit(shell.get(), &Shell::quitRequested);
    shell->start();
    const auto menuButton = [&]() -> QWidget* {
        ReviewWindow* review = shell->reviewWindow();
        return review != nullptr ? review->findChild<QWidget*>("menuButton") : nullptr;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return menuButton() && menuButton()->isVisible(); }, 5000));

    // With neither a tray nor notifications, the window is the only way to Vesk.
    shell->reviewWindow()->close();
    EXPECT_EQ(quit.count(), 1);

    // With notifications Vesk keeps watching, and a later launch shows the window again.
    ASSERT_TRUE(startNotifications());
    shell->openReview();
    shell->reviewWindow()->close();
    EXPECT_EQ(quit.count(), 1);
    shell->handle(LaunchOptions{});
    EXPECT_TRUE(shell->reviewWindow()->isVisible());
}

// A host may hide the passive item, menu and all, while nothing waits.
TEST_F(ShellTest, AsAStatusNotifierItemTheReviewCarriesTheMenuToo) {
    test::FakeStatusNotifierWatcher watcher(bus.connect());
    const auto model = makeModel(onboardedSettings());
    const auto shell = makeShell(*model);
    shell->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return watcher.items().size() == 1; }, 5000));
    shell->openReview();
    EXPECT_TRUE(shell->reviewWindow()->findChild<QWidget*>("menuButton")->isVisible());
}

TEST_F(ShellTest, ReviewOnANoticeOpensTheReviewWindow) {
    test::makeDir(location.home / "Pictures");
    download("photo.jpg");
    ASSERT_TRUE(startNotifications());
    const auto model = makeModel(onboardedSettings());
    const auto shell = makeShell(*model);
    shell->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !service->shown().empty(); }, 10'000));
    const auto shown = service->shown()[0];
    EXPECT_EQ(shown.summary, "1 file is ready to tidy");
    EXPECT_EQ(shown.actions, (QStringList{"default", "Review", "review", "Review"}));
    EXPECT_EQ(shown.app, "Vesk");
    EXPECT_EQ(shown.icon, "app.vesk.Vesk");
    EXPECT_EQ(shown.hints.value("desktop-entry"), "app.vesk.Vesk");
    EXPECT_EQ(shell->reviewWindow(), nullptr);

    service->invoke(service->shown()[0].id, "review");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return shell->reviewWindow() != nullptr && shell->reviewWindow()->isVisible(); },
        10'000));

    // Twice as many files would be news, but not to someone looking at them.
    ASSERT_TRUE(QTest::qWaitForWindowActive(shell->reviewWindow()));
    download("photo 2.jpg");
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->pending().size() == 2U; }, 10'000));
    ASSERT_TRUE(settle(*model));
    // A notice sent meanwhile would come before the one of this tidy.
    model->tidy();
    ASSERT_TRUE(QTest::qWaitFor([&] { return service->shown().size() > 1; }, 10'000));
    EXPECT_EQ(service->shown()[1].summary, "Moved 2 files");
}

TEST_F(ShellTest, ClosingTheWelcomeSavesNothingAndReopeningStartsAfresh) {
    const auto model = makeModel({});
    const auto shell = makeShell(*model);
    shell->openWelcome(1);
    EXPECT_EQ(page(*shell->welcomeWindow()), "foldersStep");
    shell->welcomeWindow()->close();
    dropClosedWindows();
    EXPECT_EQ(shell->welcomeWindow(), nullptr);
    EXPECT_FALSE(stored().onboardingFinished);
    EXPECT_FALSE(model->onboarded());

    shell->openWelcome(std::nullopt);
    EXPECT_EQ(page(*shell->welcomeWindow()), "welcomeStep");
    EXPECT_FALSE(shell->welcomeWindow()->flow().isChosen(downloads()));
}

TEST_F(ShellTest, OneSettingsWindowWritingTheAutostartEntryForThisHome) {
    Settings settings;
    settings.sources = {downloads()};
    settings.onboardingFinished = true;
    const auto model = makeModel(settings);
    LaunchOptions options;
    options.showPrivacy = true;
    const auto shell = makeShell(*model, options);
    shell->openSettings();
    SettingsWindow* window = shell->settingsWindow();
    ASSERT_NE(window, nullptr);
    shell->openSettings();
    EXPECT_EQ(shell->settingsWindow(), window);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(window->findChild<PrivacyInfo*>("localModelPrivacy")->isOpen());

    window->findChild<QCheckBox*>("openAtLogin")->click();
    const std::string entry = test::readFile(dir / "config/autostart/app.vesk.Vesk.desktop");
    const std::string exec = "\nExec=" + QCoreApplication::applicationFilePath().toStdString() +
                             " --home " + location.home.string() + "\n";
    EXPECT_NE(entry.find(exec), std::string::npos) << entry;

    window->close();
    dropClosedWindows();
    EXPECT_EQ(shell->settingsWindow(), nullptr);
}

} // namespace
} // namespace vesk
