// The interface with the Chinese translations installed as the first interface language would
// install them: every window finds its texts, and plural texts carry the count.
#include "app/AppModel.h"
#include "app/LaunchOptions.h"
#include "app/ReviewTableModel.h"
#include "support/ModelHome.h"
#include "support/Speaking.h"
#include "ui/ReviewWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/TrayMenu.h"
#include "ui/WelcomeWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace vesk {
namespace {

QStringList texts(const QMenu& menu) {
    QStringList entries;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator()) {
            entries << action->text();
        }
    }
    return entries;
}

class ChineseInterfaceTest : public testing::Test, protected test::ModelHome {
protected:
    ChineseInterfaceTest()
        : ModelHome({"Documents/Invoices/Invoice Telenor March.pdf",
                     "Documents/Invoices/Invoice Telenor April.pdf",
                     "Documents/Recipes/Recipe lasagne.txt"}) {}

    // Installs the translations of `uiLanguage`; they are removed again after the test.
    void speak(const QString& uiLanguage) {
        speaking_ = std::make_unique<test::Speaking>(uiLanguage);
        ASSERT_TRUE(speaking_->installed()) << "no translation for " << uiLanguage.toStdString();
    }

private:
    std::unique_ptr<test::Speaking> speaking_;
};

TEST_F(ChineseInterfaceTest, MenuAndReviewWindowCountFilesInSimplifiedChinese) {
    speak("zh-CN");
    download("Invoice Telenor May.pdf");
    const auto model = makeModel(onboardedSettings());
    ASSERT_TRUE(settle(*model));
    TrayMenu menu(*model, true);
    ReviewWindow window(*model);
    window.show();
    const auto* tidy = window.findChild<QPushButton*>("tidyButton");
    EXPECT_EQ(texts(menu).mid(0, 4), (QStringList{"关于 Vesk", "检查更新…", "查看 1 个文件…",
                                                  "重新扫描"}));
    EXPECT_TRUE(texts(menu).contains("退出 Vesk"));
    EXPECT_EQ(window.windowTitle(), "1 个文件待整理 — Vesk");
    EXPECT_EQ(tidy->text(), "整理 1 个文件(&T)");

    download("Invoice Telenor June.pdf");
    download("Invoice Telenor July.pdf");
    model->rescan();
    ASSERT_TRUE(settle(*model));
    EXPECT_EQ(texts(menu).at(2), "查看 3 个文件…");
    EXPECT_EQ(window.windowTitle(), "3 个文件待整理 — Vesk");
    EXPECT_EQ(tidy->text(), "整理 3 个文件(&T)");
    EXPECT_EQ(QCoreApplication::translate("vesk::Tray", "Vesk: %n file(s) to tidy", nullptr, 3),
              "Vesk：3 个文件待整理");
    EXPECT_TRUE(LaunchOptions::helpText().startsWith("用法：vesk [选项]"));
}

TEST_F(ChineseInterfaceTest, ReasonsAndFailuresInTraditionalChinese) {
    speak("zh-TW");
    const auto file = download("Invoice Telenor May.pdf");
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    const ReviewTableModel table(*model);
    const QString reason =
        table.index(0, ReviewTableModel::nameColumn, table.index(0, 0))
            .data(ReviewTableModel::ReasonRole)
            .toString();
    EXPECT_TRUE(reason.startsWith("和整個資料夾的用詞相近 · 0.")) << reason.toStdString();

    std::filesystem::remove(file);
    model->tidy();
    ASSERT_TRUE(settle(*model));
    const auto* alert = window.findChild<QMessageBox*>("failureAlert");
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->detailedText(), QString::fromStdString(file.string()) + "：檔案已不在原處");
}

TEST_F(ChineseInterfaceTest, SettingsAndWelcomeInTraditionalChinese) {
    speak("zh-TW");
    const auto model = makeModel(onboardedSettings());
    SettingsWindow settingsWindow(*model, {dir / "autostart/app.vesk.Vesk.desktop", {"vesk"}},
                                  QUrl(), NoteAtStart::closed);
    EXPECT_EQ(settingsWindow.windowTitle(), "設定 — Vesk");
    EXPECT_EQ(settingsWindow.tabs()->tabText(0), "一般");
    EXPECT_EQ(settingsWindow.tabs()->tabText(1), "資料夾");

    WelcomeWindow welcome(*model, std::nullopt, NoteAtStart::closed);
    welcome.show();
    QStringList shown;
    for (const auto* label : welcome.findChildren<QLabel*>("stepTitle")) {
        shown << label->text();
    }
    EXPECT_TRUE(shown.contains("歡迎使用 Vesk")) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.contains("選擇資料夾")) << shown.join('|').toStdString();
    EXPECT_EQ(welcome.findChild<QPushButton*>("primaryButton")->text(), "繼續(&C)");
    EXPECT_EQ(QCoreApplication::translate("vesk::ReviewWindow", "%n File(s) to Tidy — Vesk",
                                          nullptr, 3),
              "3 個檔案待整理 — Vesk");
}

} // namespace
} // namespace vesk
