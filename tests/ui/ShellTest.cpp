#include "ui/Shell.h"

#include "app/WelcomeFlow.h"
#include "support/ModelHome.h"
#include "ui/PrivacyInfo.h"
#include "ui/ReviewWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/TrayMenu.h"
#include "ui/WelcomeWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

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
        return std::make_unique<Shell>(model, Links{}, options, trayPatience);
    }
    // Lets windows that were closed go away.
    static void dropClosedWindows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QString page(const WelcomeWindow& window) {
        return window.findChild<QStackedWidget*>("welcomeSteps")->currentWidget()->objectName();
    }

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

    // The menu's "Set Up Vesk…" raises the same window.
    shell->menu()->findChild<QAction*>("setUpAction")->trigger();
    EXPECT_EQ(shell->welcomeWindow(), welcome);

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

TEST_F(ShellTest, WithoutATrayTheOpenReviewWindowCarriesTheMenu) {
    const auto model = makeModel(onboardedSettings());
    LaunchOptions options;
    options.openReview = true;
    // The offscreen platform has no tray; the review window opens before Vesk gives up on one.
    const auto shell = makeShell(*model, options, 500ms);
    shell->start();
    const auto menuButton = [&]() -> QWidget* {
        ReviewWindow* review = shell->reviewWindow();
        return review != nullptr ? review->findChild<QWidget*>("menuButton") : nullptr;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return menuButton() && menuButton()->isVisible(); }, 5000));
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
