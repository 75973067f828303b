#include "ui/SettingsWindow.h"

#include "app/PathBoundary.h"
#include "support/FakeModelServer.h"
#include "support/ModelHome.h"
#include "ui/PrivacyInfo.h"
#include "ui/SettingLabel.h"
#include "ui/SettingsSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace vesk {
namespace {

class SettingsWindowTest : public testing::Test, protected test::ModelHome {
protected:
    SettingsWindowTest() {
        settings.sources = {downloads()};
        settings.onboardingFinished = true;
    }

    [[nodiscard]] AutostartEntry autostart() const {
        return {dir / "config/autostart/app.vesk.Vesk.desktop", {"/opt/vesk/bin/vesk"}};
    }

    std::unique_ptr<SettingsWindow> open(AppModel& model, NoteAtStart notes = NoteAtStart::closed) {
        auto window = std::make_unique<SettingsWindow>(model, autostart(), QUrl(), notes);
        window->show();
        return window;
    }

    template <typename T> static T* find(const QWidget& window, const char* name) {
        auto* widget = window.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static bool shows(const QWidget& window, const char* name) {
        const auto* widget = window.findChild<QWidget*>(name);
        return widget != nullptr && widget->isVisibleTo(&window);
    }

    Settings settings;
};

TEST_F(SettingsWindowTest, TwoTabsGeneralFirst) {
    const auto model = makeModel(settings);
    const auto window = open(*model);
    ASSERT_EQ(window->tabs()->count(), 2);
    EXPECT_EQ(window->tabs()->tabText(0), "General");
    EXPECT_EQ(window->tabs()->tabText(1), "Folders");
    EXPECT_EQ(window->tabs()->currentIndex(), 0);
    QStringList titles;
    for (const auto* label : window->findChildren<SettingLabel*>()) {
        titles << label->title();
    }
    EXPECT_EQ(titles, (QStringList{"&Open at Login", "&Notify When Files Wait",
                                   "&Wait Before Tidying", "Sort with a &Local Model",
                                   "&Read File Contents"}));
    // Screen readers name the combo by its label, not by its value.
    EXPECT_EQ(find<QComboBox>(*window, "waitBeforeTidying")->accessibleName(),
              "Wait Before Tidying");
    // Each framed group is read out by name, not as an unnamed frame.
    QStringList sections;
    for (const auto* section : window->findChildren<SettingsSection*>()) {
        sections << section->accessibleName();
    }
    EXPECT_EQ(sections, (QStringList{"Login and Notifications", "Tidying"}));
    EXPECT_EQ(find<QWidget>(*window, "targetRootSettings")->accessibleName(),
              "Folders to File Into");
}

TEST_F(SettingsWindowTest, TheModelToggleFollowsTheModelsAvailability) {
    test::FakeModelServer server;
    struct Case {
        ModelEnvironment environment;
        bool enabled;
        QString tooltip;
        QString serviceLine; // part of it; empty: no line
    };
    for (const auto& [environment, enabled, tooltip, serviceLine] : std::vector<Case>{
             {{.url = server.baseUrl()}, true, {}, {}},
             {{.url = "off"}, false, "The local model is turned off", "VESK_MODEL_URL"},
             {{.url = "http://127.0.0.1:9/v1"},
              false,
              "The local model isn't available",
              "http://127.0.0.1:9/v1"},
             {{.url = "http://192.168.1.4:11434/v1"},
              false,
              "The local model isn't available",
              "http://192.168.1.4:11434/v1"},
         }) {
        const auto model = makeModel(settings, environment);
        ASSERT_TRUE(modelChecked(*model));
        const auto window = open(*model);
        const auto* toggle = find<QCheckBox>(*window, "useModel");
        const auto label = *environment.url;
        EXPECT_EQ(toggle->isEnabled(), enabled) << label;
        EXPECT_EQ(toggle->toolTip(), tooltip) << label;
        EXPECT_EQ(toggle->isChecked(), enabled) << label; // the default follows availability
        EXPECT_EQ(shows(*window, "modelServiceNote"), !serviceLine.isEmpty()) << label;
        if (!serviceLine.isEmpty()) {
            EXPECT_TRUE(find<QLabel>(*window, "modelServiceNote")->text().contains(serviceLine))
                << label;
        }
        // The environment decides: the field says so and takes nothing.
        const auto* url = find<QLineEdit>(*window, "modelUrl");
        EXPECT_FALSE(url->isEnabled()) << label;
        EXPECT_EQ(url->text(), QString::fromStdString(label));
        EXPECT_EQ(url->toolTip(), "Set by VESK_MODEL_URL in the environment");
    }
}

// The person starts the service after Vesk, with a model still loading, and finds it from the
// settings window without a restart.
TEST_F(SettingsWindowTest, TheWindowFindsTheServiceListsItsModelsAndChecksAgainWhenAsked) {
    test::FakeModelServer server({"nomic-embed-text", "qwen2.5:3b", "llama3.2:3b"});
    server.setModelsReply({503, R"({"error":{"message":"Loading model"}})"});
    settings.modelUrl = "http://127.0.0.1:9/v1"; // nothing listens there
    const auto model = makeModel(settings, {});
    ASSERT_TRUE(modelChecked(*model));
    const auto window = open(*model);
    auto* toggle = find<QCheckBox>(*window, "useModel");
    EXPECT_FALSE(toggle->isEnabled());

    // Typed without "/v1", as people do.
    const std::string typed = "http://127.0.0.1:" + std::to_string(server.port());
    auto* url = find<QLineEdit>(*window, "modelUrl");
    url->clear();
    QTest::keyClicks(url, QString::fromStdString(typed));
    QTest::keyClick(url, Qt::Key_Return);
    EXPECT_EQ(stored().modelUrl, typed);
    ASSERT_TRUE(modelChecked(*model));
    EXPECT_FALSE(toggle->isEnabled());
    EXPECT_EQ(toggle->toolTip(), "The local model isn't ready yet");
    const auto* note = find<QLabel>(*window, "modelServiceNote");
    EXPECT_TRUE(shows(*window, "modelServiceNote"));
    EXPECT_TRUE(note->text().contains("The local model isn't ready yet: the model service "
                                      "answered HTTP 503: Loading model."))
        << note->text().toStdString();

    server.setModelsReply({200, R"({"data":[{"id":"nomic-embed-text"},{"id":"qwen2.5:3b"},)"
                                R"({"id":"llama3.2:3b"}]})"});
    auto* checkAgain = find<QPushButton>(*window, "checkModelAgain");
    EXPECT_EQ(checkAgain->text(), "&Check Again");
    QTest::mouseClick(checkAgain, Qt::LeftButton);
    EXPECT_EQ(model->modelStatus(), AppModel::ModelStatus::checking);
    ASSERT_TRUE(QTest::qWaitFor([&] { return toggle->isEnabled(); }, 10'000));
    EXPECT_TRUE(toggle->isChecked()); // nothing chosen yet: the model is used once it answers
    EXPECT_FALSE(shows(*window, "modelServiceNote"));

    auto* models = find<QComboBox>(*window, "modelName");
    QStringList listed;
    for (int i = 0; i < models->count(); ++i) {
        listed << models->itemText(i);
    }
    EXPECT_EQ(listed, (QStringList{"qwen2.5:3b", "llama3.2:3b", "nomic-embed-text"}));
    EXPECT_TRUE(models->currentText().isEmpty()); // the first that can chat
    models->setCurrentIndex(1);
    emit models->activated(1);
    EXPECT_EQ(stored().model, "llama3.2:3b");
    EXPECT_EQ(model->endpoint().model, "llama3.2:3b");
}

// Where no secret service runs, the key still works until Vesk quits, and the note says that
// it could not be kept.
TEST_F(SettingsWindowTest, AKeyEnteredReachesTheServiceAndIsKeptOnlyInTheKeyStore) {
    settings.minAgeDays = 0;
    // For the model to be asked about: a file, and folders to describe.
    download("Grandma secret sauce.txt");
    test::writeFile(location.home / "Documents/Recipes/Recipe lasagne.txt");
    test::writeFile(location.home / "Documents/Invoices/Invoice Telenor March.pdf");
    test::FakeModelServer server;
    server.requireKey("s3cret");
    settings.modelUrl = "http://127.0.0.1:9/v1"; // nothing listens there
    for (const std::string refusal : {"", "No keychain service available"}) {
        keys.key.clear();
        keys.refusal = refusal;
        const auto model = makeModel(settings, {});
        ASSERT_TRUE(modelChecked(*model));
        const auto window = open(*model);
        auto* url = find<QLineEdit>(*window, "modelUrl");
        url->clear();
        QTest::keyClicks(url, QString::fromStdString(server.baseUrl()));
        QTest::keyClick(url, Qt::Key_Return);
        ASSERT_TRUE(modelChecked(*model));
        EXPECT_EQ(model->llmUnavailable(), "The local model service needs a key") << refusal;

        auto* key = find<QLineEdit>(*window, "modelKey");
        EXPECT_EQ(key->echoMode(), QLineEdit::Password);
        const auto asked = server.chatRequests().size();
        QTest::keyClicks(key, "s3cret");
        QTest::keyClick(key, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return find<QCheckBox>(*window, "useModel")->isEnabled(); }, 10'000))
            << refusal;
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.chatRequests().size() > asked; }, 10'000))
            << refusal;
        EXPECT_EQ(server.authorizations().back(), "Bearer s3cret");
        EXPECT_EQ(keys.key, refusal.empty() ? "s3cret" : "");
        EXPECT_EQ(shows(*window, "modelServiceNote"), !refusal.empty());
        if (!refusal.empty()) {
            EXPECT_TRUE(find<QLabel>(*window, "modelServiceNote")
                            ->text()
                            .contains("could not keep it (No keychain service available)"));
        }
        const std::string stored = test::readFile(pathFromQt(location.settingsFile));
        EXPECT_NE(stored.find(server.baseUrl()), std::string::npos);
        EXPECT_EQ(stored.find("s3cret"), std::string::npos);
        ASSERT_TRUE(settle(*model));
    }
}

TEST_F(SettingsWindowTest, ControlsWriteStraightToTheModel) {
    const auto model = makeModel(settings);
    const auto window = open(*model);
    auto* wait = find<QComboBox>(*window, "waitBeforeTidying");
    EXPECT_EQ(wait->currentText(), "3 Days");
    for (const auto& [text, days] :
         std::vector<std::pair<QString, double>>{{"1 Week", 7}, {"Right Away", 0}, {"1 Day", 1}}) {
        wait->setCurrentIndex(wait->findText(text));
        emit wait->activated(wait->currentIndex());
        EXPECT_EQ(stored().minAgeDays, days) << text.toStdString();
        EXPECT_EQ(model->minAgeDays(), days);
    }

    // A click on the setting's label acts as one on its check box.
    SettingLabel* contentsLabel = nullptr;
    for (auto* label : window->findChildren<SettingLabel*>()) {
        contentsLabel = label->title() == "&Read File Contents" ? label : contentsLabel;
    }
    ASSERT_TRUE(contentsLabel);
    QTest::mouseClick(contentsLabel, Qt::LeftButton);
    EXPECT_TRUE(stored().allowContent);
    EXPECT_TRUE(model->allowContent());
    model->setAllowContent(false); // changed elsewhere: the window follows
    EXPECT_FALSE(find<QCheckBox>(*window, "readContents")->isChecked());

    auto* notify = find<QCheckBox>(*window, "notifyWhenFilesWait");
    EXPECT_TRUE(notify->isChecked());
    notify->click();
    EXPECT_FALSE(stored().notifyWhenFilesWait);
    EXPECT_FALSE(model->notifyWhenFilesWait());
    model->setNotifyWhenFilesWait(true);
    EXPECT_TRUE(notify->isChecked());
}

TEST_F(SettingsWindowTest, AnUnusualStoredWaitIsShownAsItsOwnChoiceAndKept) {
    settings.minAgeDays = 0.5;
    const auto model = makeModel(settings);
    const auto window = open(*model);
    const auto* wait = find<QComboBox>(*window, "waitBeforeTidying");
    EXPECT_EQ(wait->count(), 5);
    EXPECT_EQ(wait->currentText(), "0.5 Days");
    EXPECT_EQ(model->minAgeDays(), 0.5);
    EXPECT_EQ(stored().minAgeDays, 3); // nothing was written
}

TEST_F(SettingsWindowTest, OpenAtLoginShowsWhatIsOnDisk) {
    const auto model = makeModel(settings);
    {
        const auto window = open(*model);
        auto* toggle = find<QCheckBox>(*window, "openAtLogin");
        EXPECT_FALSE(toggle->isChecked());
        toggle->click();
        EXPECT_TRUE(toggle->isChecked());
        EXPECT_NE(test::readFile(autostart().file()).find("\nExec=/opt/vesk/bin/vesk\n"),
                  std::string::npos);
        toggle->click();
        EXPECT_FALSE(toggle->isChecked());
        EXPECT_FALSE(std::filesystem::exists(autostart().file()));
    }
    // A hidden entry is off.
    test::writeFile(autostart().file(), "[Desktop Entry]\nExec=vesk\nHidden=true\n");
    EXPECT_FALSE(find<QCheckBox>(*open(*model), "openAtLogin")->isChecked());

    // A folder that takes no entry: the toggle springs back.
    std::filesystem::remove_all(dir / "config/autostart");
    test::writeFile(dir / "config/autostart");
    const auto window = open(*model);
    auto* toggle = find<QCheckBox>(*window, "openAtLogin");
    toggle->click();
    EXPECT_FALSE(toggle->isChecked());
}

TEST_F(SettingsWindowTest, TheFolderListNamesEachFolderAndItsPlace) {
    const auto inbox = test::makeDir(location.home / "Documents/Inbox");
    settings.sources = {downloads(), inbox, location.home / "Gone"};
    const auto model = makeModel(settings);
    const auto window = open(*model);
    const auto* list = find<QTreeWidget>(*window, "sourceList");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    // A folder that isn't watched says why in place of where it is.
    const std::vector<std::pair<QString, QString>> expected{
        {"Downloads", ""},
        {"Inbox", "~/Documents"},
        {"Gone", "Missing. Vesk watches for it to come back."}};
    for (int row = 0; row < 3; ++row) {
        const auto* item = list->topLevelItem(row);
        EXPECT_EQ(item->text(0), expected[static_cast<std::size_t>(row)].first);
        EXPECT_EQ(item->text(1), expected[static_cast<std::size_t>(row)].second);
        EXPECT_FALSE(item->icon(0).isNull());
    }
}

TEST_F(SettingsWindowTest, RemoveNeedsASelectionAndNeverTakesTheLastFolder) {
    const auto inbox = test::makeDir(location.home / "Documents/Inbox");
    settings.sources = {downloads(), inbox, desktop()};
    const auto model = makeModel(settings);
    const auto window = open(*model);
    window->tabs()->setCurrentIndex(1);
    auto* list = find<QTreeWidget>(*window, "sourceList");
    auto* remove = find<QToolButton>(*window, "removeFolder");
    EXPECT_FALSE(remove->isEnabled());
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_TRUE(remove->isEnabled());
    remove->click();
    EXPECT_EQ(model->sources(), (std::vector{downloads(), desktop()}));
    EXPECT_EQ(stored().sources, (std::vector{downloads(), desktop()}));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_FALSE(remove->isEnabled());

    // The Delete key does the same; the last folder stays, and the button says why.
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(model->sources(), std::vector{desktop()});
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_EQ(remove->toolTip(), "Vesk needs at least one folder to tidy.");
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(model->sources(), std::vector{desktop()});

    // The add button asks for folders and lists them.
    picker.answer({inbox});
    find<QToolButton>(*window, "addFolder")->click();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Inbox");
}

TEST_F(SettingsWindowTest, FoldersToFileIntoStartAsFoundAndStayAsThePersonLeavesThem) {
    test::writeFile(location.home / "Books/Dan Simmons/Dan Simmons - Ilium.epub");
    for (const char* folder : {"Documents", "Nextcloud", "snap/firefox", ".cache/thumbnails"}) {
        test::makeDir(location.home / folder);
    }
    const auto model = makeModel(settings);
    ASSERT_TRUE(settle(*model));
    const auto window = open(*model);
    window->tabs()->setCurrentIndex(1);
    auto* list = find<QTreeWidget>(*window, "targetRootList");
    auto* remove = find<QToolButton>(*window, "removeTargetRoot");
    const auto names = [&] {
        QStringList shown;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            shown << list->topLevelItem(row)->text(0);
        }
        shown.sort();
        return shown;
    };
    // The source (Downloads) is no place to file into.
    EXPECT_EQ(names(), (QStringList{"Books", "Desktop", "Documents", "Nextcloud"}));
    EXPECT_FALSE(stored().targetRoots);
    EXPECT_FALSE(remove->isEnabled());

    list->setCurrentItem(list->findItems("Books", Qt::MatchExactly).front());
    remove->click();
    EXPECT_EQ(names(), (QStringList{"Desktop", "Documents", "Nextcloud"}));
    EXPECT_EQ(stored().targetRoots, model->targetRoots());
    ASSERT_TRUE(settle(*model));
    for (const Target& target : model->targets()) {
        EXPECT_FALSE(target.label.starts_with("Books")) << target.label;
    }

    // Added folders join the list; a folder made later in the home does not.
    test::makeDir(location.home / "Later");
    const auto archive = test::makeDir(location.home / "Work/Archive");
    picker.answer({archive});
    find<QToolButton>(*window, "addTargetRoot")->click();
    EXPECT_EQ(names(), (QStringList{"Archive", "Desktop", "Documents", "Nextcloud"}));
    list->setCurrentItem(list->findItems("Desktop", Qt::MatchExactly).front());
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(stored().targetRoots,
              (std::vector{location.home / "Documents", location.home / "Nextcloud", archive}));
}

TEST_F(SettingsWindowTest, TheAccessRowIsThereOnlyInTheSandbox) {
    {
        const auto model = makeModel(settings);
        const auto window = open(*model);
        window->tabs()->setCurrentIndex(1);
        EXPECT_FALSE(shows(*window, "accessRow"));
        EXPECT_TRUE(shows(*window, "sourceList"));
        EXPECT_TRUE(shows(*window, "addFolder"));
    }
    sandboxed = true;
    const auto model = makeModel(settings);
    const auto window = open(*model);
    window->tabs()->setCurrentIndex(1);
    EXPECT_TRUE(shows(*window, "accessRow"));
    const auto* text = find<QLabel>(*window, "accessText");
    auto* allow = find<QPushButton>(*window, "allowAccess");
    EXPECT_EQ(text->text(), "Vesk can use only the folders you added.");
    allow->click(); // cancelled
    EXPECT_TRUE(allow->isVisibleTo(window.get()));
    picker.answer({accountHome()});
    allow->click();
    EXPECT_EQ(text->text(), "Vesk can use your home folder.");
    EXPECT_FALSE(allow->isVisibleTo(window.get()));
}

TEST_F(SettingsWindowTest, ShowPrivacyOpensTheModelNoteOnly) {
    const auto model = makeModel(settings);
    for (const NoteAtStart notes : {NoteAtStart::closed, NoteAtStart::open}) {
        const auto window = open(*model, notes);
        auto* modelNote = find<PrivacyInfo>(*window, "localModelPrivacy");
        const auto* contentsNote = find<PrivacyInfo>(*window, "fileContentsPrivacy");
        const bool open = notes == NoteAtStart::open;
        QCoreApplication::sendPostedEvents(); // the note opens once the window is placed
        EXPECT_EQ(modelNote->isOpen(), open);
        EXPECT_FALSE(contentsNote->isOpen());
        modelNote->setOpen(false);
    }
}

} // namespace
} // namespace vesk
