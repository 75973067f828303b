#include "ui/ReviewWindow.h"

#include "app/AppModel.h"
#include "app/DestinationChoices.h"
#include "app/ReasonText.h"
#include "app/ReviewTableModel.h"
#include "support/ModelHome.h"
#include "ui/DestinationChooser.h"
#include "ui/ReviewBottomBar.h"
#include "ui/ReviewTable.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTextDocument>

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
    EXPECT_EQ(tidyButton(window)->text(), "&Tidy 1 File");
    EXPECT_FALSE(visible(window, "undoButton"));
}

TEST_F(ReviewWindowTest, AFolderThatIsNotWatchedIsNamedWithTheReasonUntilItIs) {
    Settings settings = onboardedSettings();
    const auto later = location.home / "Later";
    settings.sources = {downloads(), later};
    const auto model = makeModel(settings);
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(visible(window, "watchNotice"));
    const QString notice = window.findChild<QLabel*>("watchNotice")->text();
    EXPECT_TRUE(notice.contains(QString::fromStdString(later.string())));
    EXPECT_TRUE(notice.contains("Missing. Vesk watches for it to come back."));

    test::makeDir(later);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !visible(window, "watchNotice"); }, 10'000));
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

TEST_F(ReviewWindowTest, TheContextMenuActsOnTheSelection) {
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

    // Not shown yet; it goes away by itself once closed.
    QMenu* menu = table.contextMenuFor(first);
    ASSERT_TRUE(menu);
    menu->findChild<QAction*>("contextMoveToTrash")->trigger();
    EXPECT_EQ(model->groups().size(), 1U);
    EXPECT_EQ(model->pendingCount(), 3);
    EXPECT_EQ(table.selectedFiles().size(), 3U); // the selection survives the change
    EXPECT_FALSE(table.contextMenuFor(table.model()->index(0, 0))); // a heading has none

    // "Move To…" offers the chooser for all three.
    table.contextMenuFor(first)->findChild<QAction*>("moveTo")->trigger();
    QCoreApplication::processEvents();
    auto* chooser = table.findChild<DestinationChooser*>("destinationChooser");
    ASSERT_TRUE(chooser);
    QTest::keyClicks(chooser->filter(), "car");
    QTest::keyClick(chooser->filter(), Qt::Key_Return);
    EXPECT_EQ(model->pendingCount(), 3);
    ASSERT_EQ(model->groups().size(), 1U);
    EXPECT_EQ(model->title(model->groups().front().key), "Car");

    // "Don't Tidy" sets them aside; "Tidy Again" brings them back.
    table.contextMenuFor(first)->findChild<QAction*>("contextDontTidy")->trigger();
    EXPECT_EQ(model->pendingCount(), 0);
    EXPECT_EQ(model->title(model->groups().front().key), "Ignored");
    QMenu* ignored = table.contextMenuFor(table.model()->index(0, 1, table.model()->index(0, 0)));
    EXPECT_FALSE(ignored->findChild<QAction*>("contextDontTidy"));
    ignored->findChild<QAction*>("contextTidyAgain")->trigger();
    EXPECT_EQ(model->pendingCount(), 3);

    // Space toggles the selected rows.
    table.selectAll();
    QTest::keyClick(&table, Qt::Key_Space);
    EXPECT_EQ(model->pendingCount(), 0);
    QTest::keyClick(&table, Qt::Key_Space);
    EXPECT_EQ(model->pendingCount(), 3);
}

TEST_F(ReviewWindowTest, TheDestinationChooserWorksFromTheKeyboard) {
    const auto file = download("Invoice Telenor May.pdf");
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    ReviewTable& table = *window.table();
    table.selectFirstRow();
    const auto before = model->rows().front().destination;

    QTest::keyClick(&table, Qt::Key_F4);
    auto* chooser = table.findChild<DestinationChooser*>("destinationChooser");
    ASSERT_TRUE(chooser);
    EXPECT_TRUE(chooser->filter()->hasFocus());
    // It starts where the file goes now; Escape leaves it there.
    EXPECT_TRUE(chooser->list()->currentIndex().data(DestinationChoices::IsCurrentRole).toBool());
    QTest::keyClick(chooser->filter(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(table.findChild<DestinationChooser*>("destinationChooser"));
    EXPECT_EQ(model->rows().front().destination, before);

    // Typing narrows the list to the first match; Up and Down move over the headings; Return
    // chooses.
    QTest::keyClick(&table, Qt::Key_Down, Qt::AltModifier);
    chooser = table.findChild<DestinationChooser*>("destinationChooser");
    ASSERT_TRUE(chooser);
    QTest::keyClicks(chooser->filter(), "car");
    EXPECT_EQ(chooser->list()->currentIndex().data().toString(), "Car");
    QTest::keyClick(chooser->filter(), Qt::Key_Up);
    EXPECT_EQ(chooser->list()->currentIndex().data().toString(), "Car");
    QTest::keyClick(chooser->filter(), Qt::Key_Down);
    EXPECT_EQ(chooser->list()->currentIndex().data().toString(), "Other Folder…");
    QTest::keyClick(chooser->filter(), Qt::Key_Up);
    QTest::keyClick(chooser->filter(), Qt::Key_Return);
    EXPECT_EQ(model->rows().front().destination,
              Destination::folder(location.home / "Documents/Car"));
    EXPECT_TRUE(model->rows().front().included);
}

// Space must never reach the default button: it would tidy everything.
TEST_F(ReviewWindowTest, TheListHasTheKeyboardAndEscapeOrCtrlWClose) {
    download("Invoice Telenor May.pdf");
    download("Invoice Telenor June.pdf");
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(settle(*model));
    ReviewTable& table = *window.table();
    EXPECT_TRUE(table.hasFocus());
    EXPECT_EQ(table.selectedFiles().size(), 1U); // a row to act on
    QMenu menu;
    window.setMenu(&menu); // as without a tray
    EXPECT_TRUE(table.hasFocus());

    QTest::keyClick(&table, Qt::Key_F10, Qt::ShiftModifier);
    auto* context = table.findChild<QMenu*>("rowContextMenu");
    ASSERT_TRUE(context);
    EXPECT_TRUE(context->isVisible());
    context->close();

    // Ctrl+F filters; the first Escape clears what was typed, the next closes the window.
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(window.filter()->hasFocus());
    QTest::keyClicks(window.filter(), "june");
    EXPECT_EQ(shownNames(table), std::vector<std::string>{"Invoice Telenor June.pdf"});
    QTest::keyClick(window.filter(), Qt::Key_Escape);
    EXPECT_TRUE(window.filter()->text().isEmpty());
    EXPECT_EQ(shownNames(table).size(), 2U);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(window.filter(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(table.hasFocus());
    QTest::keyClick(&table, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(model->pendingCount(), 2); // nothing was tidied on the way
}

TEST_F(ReviewWindowTest, EachRowShowsItsReasonOnASecondLine) {
    download("Invoice Telenor May.pdf");
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    ReviewTable& table = *window.table();
    const QModelIndex name = table.model()->index(0, 1, table.model()->index(0, 0));
    const QString reason = ReasonText::of(model->rows().front().suggestion->reason);
    EXPECT_EQ(name.data(ReviewTableModel::ReasonRole).toString(), reason);
    EXPECT_TRUE(name.data(Qt::AccessibleDescriptionRole).toString().contains(reason));
    // Tall enough for the name and the reason under it.
    EXPECT_GE(table.visualRect(name).height(), 2 * table.fontMetrics().height());
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
    for (int i = 0; i < 4; ++i) { // from the first file, over a heading to the other
        if (i > 0) {
            QTest::keyClick(&table, Qt::Key_Down);
        }
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

// A name is shown for what it is: what would reorder or hide its letters is written out, and a
// tooltip is never read as markup.
TEST_F(ReviewWindowTest, NamesShowWhatTheyHideAndTooltipsAreNeverMarkup) {
    download("Invoice Telenor\u202Efdp.exe"); // would read as "Invoice Telenorexe.pdf"
    download("<h1>Invoice Telenor May.pdf");
    const auto model = makeModel(onboardedSettings());
    ReviewWindow window(*model);
    window.show();
    ASSERT_TRUE(settle(*model));
    const auto names = shownNames(*window.table());
    EXPECT_NE(std::find(names.begin(), names.end(), "Invoice Telenor\u27E8U+202E\u27E9fdp.exe"),
              names.end());
    const QAbstractItemModel& rows = *window.table()->model();
    const QModelIndex name = rows.match(rows.index(0, ReviewTableModel::nameColumn), Qt::DisplayRole,
                                        "<h1>", 1, Qt::MatchStartsWith | Qt::MatchRecursive)
                                 .value(0);
    QTextDocument shown;
    shown.setHtml(name.data(Qt::ToolTipRole).toString());
    EXPECT_EQ(shown.toPlainText().replace(QChar::LineSeparator, '\n'),
              "<h1>Invoice Telenor May.pdf\n" + QString::fromStdString(downloads().string()));
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
    EXPECT_EQ(alerts[0]->detailedText(),
              QString::fromStdString(file.string()) + ": The file is no longer where it was");
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
