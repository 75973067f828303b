#include "ui/WelcomeWindow.h"

#include "app/WelcomeFlow.h"
#include "support/FakeModelServer.h"
#include "support/ModelHome.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace vesk {
namespace {

class WelcomeWindowTest : public testing::Test, protected test::ModelHome {
protected:
    static std::unique_ptr<WelcomeWindow> open(AppModel& model, std::optional<int> step,
                                               NoteAtStart notes = NoteAtStart::closed) {
        auto window = std::make_unique<WelcomeWindow>(model, step, notes);
        window->show();
        return window;
    }
    static QPushButton* primary(const QWidget& window) {
        return window.findChild<QPushButton*>("primaryButton");
    }
    static QPushButton* back(const QWidget& window) {
        return window.findChild<QPushButton*>("backButton");
    }
    static QString page(const QWidget& window) {
        return window.findChild<QStackedWidget*>("welcomeSteps")->currentWidget()->objectName();
    }
    static QListWidget* folderList(const QWidget& window) {
        return window.findChild<QListWidget*>("folderChoices");
    }
};

TEST_F(WelcomeWindowTest, ReturnWalksThroughThePagesAndBackGoesBack) {
    for (const auto& [sandbox, pages] : std::vector<std::pair<bool, QStringList>>{
             {false, {"welcomeStep", "foldersStep", "trayStep"}},
             {true, {"welcomeStep", "foldersStep", "accessStep", "trayStep"}}}) {
        sandboxed = sandbox;
        const auto model = makeModel({});
        const auto window = open(*model, std::nullopt);
        EXPECT_EQ(window->findChild<QStackedWidget*>("welcomeSteps")->count(), pages.size());
        EXPECT_EQ(page(*window), "welcomeStep");
        EXPECT_FALSE(back(*window)->isVisible());
        QTest::keyClick(window.get(), Qt::Key_Return);
        EXPECT_EQ(page(*window), "foldersStep");
        EXPECT_TRUE(back(*window)->isVisible());
        back(*window)->click();
        EXPECT_EQ(page(*window), "welcomeStep");
    }
}

TEST_F(WelcomeWindowTest, EveryButtonOnAPageHasAMnemonicOfItsOwn) {
    sandboxed = true;
    const auto model = makeModel({});
    QStringList pages;
    for (int step = 0; step < 4; ++step) {
        const auto window = open(*model, step);
        pages << page(*window);
        auto buttons = window->findChild<QStackedWidget*>("welcomeSteps")
                           ->currentWidget()
                           ->findChildren<QAbstractButton*>();
        buttons << back(*window) << primary(*window);
        std::set<QKeySequence> mnemonics;
        for (const QAbstractButton* button : buttons) {
            if (button->text().isEmpty()) {
                continue; // an icon button, named for screen readers instead
            }
            const QKeySequence key = QKeySequence::mnemonic(button->text());
            EXPECT_FALSE(key.isEmpty()) << button->text().toStdString();
            EXPECT_TRUE(mnemonics.insert(key).second) << button->text().toStdString();
        }
    }
    EXPECT_EQ(pages, (QStringList{"welcomeStep", "foldersStep", "accessStep", "trayStep"}));
}

TEST_F(WelcomeWindowTest, TicksInTheListEnableContinue) {
    const auto model = makeModel({});
    const auto window = open(*model, 1);
    auto* list = folderList(*window);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Downloads");
    EXPECT_EQ(list->item(1)->text(), "Desktop");
    EXPECT_TRUE(primary(*window)->isEnabled()); // skipped ahead: all ticked

    for (int row = 0; row < 2; ++row) {
        list->item(row)->setCheckState(Qt::Unchecked);
    }
    EXPECT_FALSE(primary(*window)->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Return); // the default button is disabled
    EXPECT_EQ(page(*window), "foldersStep");
    list->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(primary(*window)->isEnabled());
}

TEST_F(WelcomeWindowTest, StartSavesOnlyTheTickedFoldersAndSaysItStarted) {
    const auto model = makeModel({});
    const auto window = open(*model, std::nullopt);
    QSignalSpy started(window.get(), &WelcomeWindow::started);
    primary(*window)->click();
    folderList(*window)->item(1)->setCheckState(Qt::Checked); // Desktop, not Downloads
    primary(*window)->click();
    EXPECT_EQ(primary(*window)->text(), "&Start");
    EXPECT_FALSE(stored().onboardingFinished);
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(stored().sources, std::vector{desktop()});
    EXPECT_TRUE(stored().onboardingFinished);
}

TEST_F(WelcomeWindowTest, TheModelChoiceIsOfferedOnlyWhenTheModelIsAvailable) {
    test::FakeModelServer server;
    struct Case {
        bool available;
        bool untick;
        bool stored;
    };
    for (const auto& [available, untick, storedUse] :
         std::vector<Case>{{true, false, true}, {true, true, false}, {false, false, false}}) {
        const auto model = makeModel({}, available ? ModelEnvironment{.url = server.baseUrl()}
                                                   : ModelEnvironment{.url = "off"});
        ASSERT_TRUE(modelChecked(*model));
        const auto window = open(*model, 2, NoteAtStart::open);
        auto* useModel = window->findChild<QCheckBox*>("useModel");
        ASSERT_TRUE(useModel);
        ASSERT_EQ(useModel->isVisibleTo(window.get()), available);
        if (available) {
            EXPECT_TRUE(useModel->isChecked());
            // --show-privacy: the note beside the choice is open.
            QCoreApplication::sendPostedEvents();
            EXPECT_TRUE(window->findChild<QWidget*>("privacyNote")->isVisible());
            if (untick) {
                useModel->click();
            }
        }
        primary(*window)->click();
        EXPECT_EQ(stored().useLLM, storedUse) << available << untick;
        std::filesystem::remove(location.settingsFile.toStdString());
    }
}

} // namespace
} // namespace vesk
