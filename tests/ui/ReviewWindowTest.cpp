#include "ui/ReviewWindow.h"

#include "app/AppModel.h"
#include "app/ReviewTableModel.h"
#include "support/ModelHome.h"
#include "ui/ReviewBottomBar.h"
#include "ui/ReviewTable.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace vesk {
namespace {

class ReviewWindowTest : public testing::Test, protected test::ModelHome {
protected:
    ReviewWindowTest()
        : ModelHome({"Documents/Invoices/Invoice Telenor March.pdf",
                     "Documents/Invoices/2024/Invoice Telenor April 2024.pdf",
                     "Documents/Car/Service.pdf"}) {}

    static bool visible(const QWidget& window, const char* name) {
        const auto* widget = window.findChild<QWidget*>(name);
        return widget != nullptr && widget->isVisibleTo(&window);
    }
    static QPushButton* tidyButton(const QWidget& window) {
        return window.findChild<QPushButton*>("tidyButton");
    }
    // The files the table shows, in its order.
    static std::vector<std::string> shownNames(const ReviewTable& table) {
        std::vector<std::string> names;
        const QAbstractItemModel* rows = table.model();
        for (int group = 0; group < rows->rowCount(); ++group) {
            const QModelIndex heading = rows->index(group, 0);
            for (int row = 0; row < rows->rowCount(heading); ++row) {
                names.push_back(rows->index(row, 1, heading).data().toString().toStdString());
            }
        }
        return names;
    }
};

TEST_F(ReviewWindowTest, EmptyStatesAndTheTitle) {
    download("Invoice Telenor May 2024.pdf");
    Settings settings = onboardedSettings();
    settings.minAgeDays = 3; // the file is too new
    const auto model = makeModel(settings);
    ReviewWindow window(*model);
    window.show();
    // Scanning, no rows: the busy indicator only, and nothing to tidy.
    EXPECT_TRUE(visible(window, "scanningIndicator"));
    EXPECT_FALSE(visible(window, "nothingToTidy"));
    EXPECT_TRUE(visible(window, "scanningLabel"));
    EXPECT_FALSE(tidyButton(window)->isEnabled());
    EXPECT_EQ(window.windowTitle(), "Vesk");
    EXPECT_GE(window.minimumWidth(), 560);

    ASSERT_TRUE(settle(*model));
    EXPECT_FALSE(visible(window, "scanningIndicator"));
    EXPECT_TRUE(visible(window, "nothingToTidy"));
    EXPECT_TRUE(visible(window, "recentFilesWait")); // one file waits
    EXPECT_FALSE(visible(window, "scanningLabel"));

    model->setMinAgeDays(0);
    ASSERT_TRUE(settle(*model));
    EXPECT_TRUE(visible(window, "reviewTable"));
    EXPECT_EQ(window.windowTitle(), "1 File to Tidy — Vesk");
    EXPECT_EQ(tidyButton(window)->text(), "Tidy 1 File");
    EXPECT_FALSE(visible(window, "undoButton"));
}

TEST_F(ReviewWindowTest, NothingWaitingSaysNoMore) {
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    EXPECT_TRUE(visible(window, "nothingToTidy"));
    EXPECT_FALSE(visible(window, "recentFilesWait"));
}

TEST_F(ReviewWindowTest, ReturnTidiesExactlyThePendingRows) {
    const auto may = download("Invoice Telenor May 2024.pdf");
    const auto june = download("Invoice Telenor June 2024.pdf");
    const auto odd = download("qqzz.bin"); // no destination
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    EXPECT_EQ(window.windowTitle(), "2 Files to Tidy — Vesk");
    EXPECT_EQ(shownNames(*window.table()).back(), "qqzz.bin"); // unsorted comes last
    const auto destination = model->pending().front().destination->path;

    QTest::keyClick(window.table(), Qt::Key_Return);
    ASSERT_TRUE(settle(*model));
    EXPECT_TRUE(std::filesystem::exists(odd));
    EXPECT_FALSE(std::filesystem::exists(may) || std::filesystem::exists(june));
    EXPECT_TRUE(std::filesystem::exists(destination / may.filename()));
    EXPECT_TRUE(visible(window, "undoButton"));
    EXPECT_EQ(window.windowTitle(), "0 Files to Tidy — Vesk");

    // Nothing pending: Return does nothing.
    QTest::keyClick(window.table(), Qt::Key_Return);
    EXPECT_FALSE(model->isMoving());
}

TEST_F(ReviewWindowTest, TheContextMenuActsOnTheSelectionAndTheMenuLists) {
    std::vector<std::filesystem::path> files;
    for (const char* name :
         {"Invoice Telenor May.pdf", "Invoice Telenor June.pdf", "Service 2.pdf"}) {
        files.push_back(download(name));
    }
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    ReviewTable& table = *window.table();
    table.selectAll();
    ASSERT_EQ(table.selectedFiles().size(), 3U);
    const QModelIndex first = table.model()->index(0, 1, table.model()->index(0, 0));

    auto menu = table.contextMenuFor(first);
    ASSERT_TRUE(menu);
    // The destinations, by the first folder below home.
    const auto* moveTo = menu->findChild<QMenu*>("moveToMenu");
    ASSERT_TRUE(moveTo);
    QStringList texts;
    for (const QAction* action : moveTo->actions()) {
        texts << (action->isSeparator() && !action->text().isEmpty() ? "[" + action->text() + "]"
                                                                     : action->text());
    }
    EXPECT_EQ(texts.mid(0, 4), (QStringList{"[Documents]", "Car", "Invoices", "Invoices/2024"}));

    menu->findChild<QAction*>("contextMoveToTrash")->trigger();
    EXPECT_EQ(model->groups().size(), 1U);
    EXPECT_EQ(model->pending().size(), 3U);
    EXPECT_EQ(table.selectedFiles().size(), 3U); // the selection survives the change

    table.contextMenuFor(first)->findChild<QAction*>("contextDontTidy")->trigger();
    EXPECT_TRUE(model->pending().empty());
    EXPECT_EQ(model->title(model->groups().front().key), "Unsorted");
    EXPECT_FALSE(table.contextMenuFor(table.model()->index(0, 0))); // a heading has none

    // Space toggles the selected rows back in once they have a destination.
    table.contextMenuFor(first)->findChild<QAction*>("contextMoveToTrash")->trigger();
    QTest::keyClick(&table, Qt::Key_Space);
    EXPECT_TRUE(model->pending().empty());
    QTest::keyClick(&table, Qt::Key_Space);
    EXPECT_EQ(model->pending().size(), 3U);
}

TEST_F(ReviewWindowTest, TheArrowKeysReachFilesWithoutADestination) {
    const auto unsorted = download("zxq.bin"); // no folder is like it: its check box is disabled
    const auto invoice = download("Invoice Telenor May.pdf");
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    ReviewTable& table = *window.table();
    std::set<std::string> reached;
    for (int i = 0; i < 4; ++i) { // two headings and two files
        QTest::keyClick(&table, Qt::Key_Down);
        const QString file = table.currentIndex().data(ReviewTableModel::FileRole).toString();
        if (!file.isEmpty()) {
            reached.insert(file.toStdString());
        }
    }
    EXPECT_EQ(reached, (std::set{invoice.string(), unsorted.string()}));
}

// A name that is not UTF-8 cannot go through a QString and back: the table must still find its
// file for Space and Return.
TEST_F(ReviewWindowTest, AFileWhoseNameIsNotUtf8IsTickedUntickedAndTidied) {
    const auto file = download("Invoice Telenor caf\xE9.pdf");
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    ReviewTable& table = *window.table();
    table.setCurrentIndex(table.model()->index(0, 1, table.model()->index(0, 0)));
    ASSERT_EQ(table.selectedFiles(), std::vector{file});
    const auto destination = model->pending().at(0).destination->path;

    QTest::keyClick(&table, Qt::Key_Space);
    EXPECT_TRUE(model->pending().empty());
    QTest::keyClick(&table, Qt::Key_Space);
    ASSERT_EQ(model->pending().size(), 1U);
    QTest::keyClick(&table, Qt::Key_Return);
    ASSERT_TRUE(settle(*model));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(std::filesystem::exists(destination / file.filename()));
}

TEST_F(ReviewWindowTest, AFailedTidyShowsItsAlertOnce) {
    const auto file = download("Invoice Telenor May.pdf");
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    std::filesystem::remove(file);
    model->tidy();
    ASSERT_TRUE(settle(*model));
    auto alerts = window.findChildren<QMessageBox*>("failureAlert");
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts[0]->text(), "Some files couldn't be moved.");
    EXPECT_TRUE(alerts[0]->detailedText().contains("Invoice Telenor May.pdf"));
    alerts[0]->button(QMessageBox::Ok)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(model->showFailure());
    EXPECT_TRUE(window.findChildren<QMessageBox*>("failureAlert").isEmpty());

    // Another tidy without failures brings no alert back.
    download("Invoice Telenor June.pdf");
    model->rescan();
    ASSERT_TRUE(settle(*model));
    model->tidy();
    ASSERT_TRUE(settle(*model));
    EXPECT_TRUE(window.findChildren<QMessageBox*>("failureAlert").isEmpty());
}

} // namespace
} // namespace vesk
