#include "app/ReviewTableModel.h"
#include "app/AppModel.h"
#include "app/DestinationSection.h"
#include "support/ModelHome.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace vesk {
namespace {

Target target(const std::string& label) {
    return Target{"/h/" + label, label, false, {}, {}};
}

TEST(DestinationSection, GroupsByTheFirstFolderBelowHome) {
    const auto sections = DestinationSection::of({target("Documents/Invoices/2024"),
                                                  target("Pictures/Trips"), target("Documents/Car"),
                                                  target("Music"), target("Desktop/Sorting")});
    std::vector<QString> headings;
    for (const auto& section : sections) {
        headings.push_back(section.heading);
    }
    EXPECT_EQ(headings, (std::vector<QString>{"Desktop", "Documents", "Music", "Pictures"}));
    ASSERT_EQ(sections[1].items.size(), 2U);
    EXPECT_EQ(sections[1].items[0].text, "Invoices/2024"); // the folder choices' order stays
    EXPECT_EQ(sections[1].items[1].text, "Car");
    // A folder that is its own section reads as its name.
    EXPECT_EQ(sections[2].items[0].text, "Music");
}

class ReviewTableModelTest : public testing::Test, protected test::ModelHome {
protected:
    ReviewTableModelTest()
        : ModelHome({"Documents/Invoices/Invoice Telenor March.pdf",
                     "Documents/Invoices/Invoice April.pdf", "Downloads/Invoice Telenor May.pdf",
                     "Downloads/Invoice Telenor June.pdf",
                     "Downloads/Screenshot 2024-05-01 at 10.00.00.png", "Downloads/qqzz.bin"}),
          model(makeModel(onboardedSettings())) {
        EXPECT_TRUE(settle(*model));
    }

    std::unique_ptr<AppModel> model;
};

TEST_F(ReviewTableModelTest, HeadingsThenRowsInGroupOrder) {
    ReviewTableModel table(*model);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.index(0, 0).data().toString(), "Invoices (2)");
    EXPECT_EQ(table.index(1, 0).data().toString(), "Screenshots (1)");
    EXPECT_EQ(table.index(2, 0).data().toString(), "Unsorted (1)");
    const QModelIndex invoices = table.index(0, 0);
    ASSERT_EQ(table.rowCount(invoices), 2);
    const QModelIndex first = table.index(0, ReviewTableModel::nameColumn, invoices);
    EXPECT_EQ(first.data().toString(), "Invoice Telenor June.pdf");
    EXPECT_EQ(first.data(Qt::ToolTipRole).toString(),
              QString::fromStdString((location.home / "Downloads").string()));
    EXPECT_EQ(table.index(0, ReviewTableModel::destinationColumn, invoices).data().toString(),
              "Invoices");

    // A row without a destination: no check box to tick, "Choose…" as its destination.
    const QModelIndex unsorted = table.index(2, 0);
    const QModelIndex keep = table.index(0, ReviewTableModel::includeColumn, unsorted);
    EXPECT_FALSE(table.flags(keep) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(keep.data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_EQ(table.index(0, ReviewTableModel::destinationColumn, unsorted).data().toString(),
              "Choose…");
    EXPECT_FALSE(table.setData(keep, Qt::Checked, Qt::CheckStateRole));
}

TEST_F(ReviewTableModelTest, FollowsTheModelWithOneResetPerChange) {
    ReviewTableModel table(*model);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&table, &QAbstractItemModel::modelReset);
    const QModelIndex check =
        table.index(0, ReviewTableModel::includeColumn, table.index(1, 0)); // the screenshot
    ASSERT_TRUE(table.flags(check) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(table.setData(check, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model->pending().size(), 2U);

    // Three rows to the Trash at once: one change, one reset.
    std::vector<std::filesystem::path> files;
    for (const Row& row : model->rows()) {
        files.push_back(row.file());
    }
    model->setDestination(Destination::trash(), files);
    EXPECT_EQ(resets.count(), 2);
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.index(0, 0).data().toString(), "Trash (4)");
    EXPECT_EQ(model->pending().size(), 4U);

    model->rescan();
    EXPECT_TRUE(settle(*model));
    EXPECT_EQ(resets.count(), 4); // the partial plan, then the final one
    EXPECT_EQ(table.index(0, 0).data().toString(), "Trash (4)"); // edits survive the rescan
    EXPECT_EQ(table.indexOf(files[2]).data(ReviewTableModel::FileRole).toString(),
              QString::fromStdString(files[2].string()));
}

} // namespace
} // namespace vesk
