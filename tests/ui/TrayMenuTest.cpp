#include "ui/TrayMenu.h"

#include "support/ModelHome.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// The visible entries, separators as "-", disabled ones in brackets.
QStringList shown(const QMenu& menu) {
    QStringList entries;
    for (const QAction* action : menu.actions()) {
        const QString text = action->isSeparator() ? QStringLiteral("-") : action->text();
        entries << (action->isEnabled() || action->isSeparator() ? text : "[" + text + "]");
    }
    return entries;
}

class TrayMenuTest : public testing::Test, protected test::ModelHome {
protected:
    TrayMenuTest()
        : ModelHome({"Documents/Invoices/Invoice Telenor March.pdf",
                     "Documents/Invoices/Invoice Telenor April.pdf",
                     "Documents/Recipes/Recipe lasagne.txt"}) {}
};

TEST_F(TrayMenuTest, BeforeOnboardingOnlySetUpAndTheFixedEntries) {
    const auto model = makeModel(Settings{});
    TrayMenu menu(*model, true);
    const QStringList entries = shown(menu);
    EXPECT_TRUE(entries.contains("Set Up Vesk…"));
    EXPECT_TRUE(entries.contains("[Settings…]")); // nothing to set before there is a folder
    EXPECT_FALSE(entries.contains("Review…"));
    EXPECT_EQ(entries.back(), "Quit Vesk");
    EXPECT_EQ(menu.findChild<QAction*>("settingsAction")->shortcut(), QKeySequence("Ctrl+,"));
    EXPECT_EQ(menu.findChild<QAction*>("quitAction")->shortcut(), QKeySequence("Ctrl+Q"));
    // Without a web origin there is no update page to check.
    EXPECT_FALSE(shown(TrayMenu(*model, false)).contains("Check for Updates…"));
}

TEST_F(TrayMenuTest, FollowsPendingFilesTheLastTidyAndScans) {
    const auto model = makeModel(onboardedSettings());
    TrayMenu menu(*model, true);
    EXPECT_EQ(shown(menu).mid(3, 4), (QStringList{"Review…", "-", "[Scanning…]", "-"}));
    EXPECT_FALSE(menu.findChild<QAction*>("scanningAction")->isEnabled());
    ASSERT_TRUE(settle(*model));
    EXPECT_EQ(shown(menu).mid(3, 4), (QStringList{"Review…", "-", "Rescan", "-"}));
    EXPECT_EQ(shown(menu).at(7), "Settings…");

    download("Invoice Telenor May.pdf");
    model->rescan();
    ASSERT_TRUE(settle(*model));
    EXPECT_EQ(shown(menu).at(3), "Review 1 File…");
    download("Invoice Telenor June.pdf");
    download("Invoice Telenor July.pdf");
    model->rescan();
    ASSERT_TRUE(settle(*model));
    EXPECT_EQ(shown(menu).at(3), "Review 3 Files…");

    model->tidy();
    ASSERT_TRUE(settle(*model));
    model->rescan(); // running: the scan shows instead of the rescan entry
    EXPECT_EQ(shown(menu).mid(3, 4),
              (QStringList{"Review…", "Undo Last Tidy", "-", "[Scanning…]"}));
    ASSERT_TRUE(settle(*model));
    model->undo();
    ASSERT_TRUE(settle(*model));
    EXPECT_FALSE(shown(menu).contains("Undo Last Tidy"));
}

} // namespace
} // namespace vesk
