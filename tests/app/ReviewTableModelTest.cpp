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
    const std::vector<Target> targets{target("Documents/Invoices/2024"), target("Pictures/Trips"),
                                      target("Documents/Car"), target("Music"),
                                      target("Desktop/Sorting")};
    std::vector<const Target*> choices;
    for (const Target& folder : targets) {
        choices.push_back(&folder);
    }
    const auto sections = DestinationSection::of(choices);
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
                     "Downloads/Screenshot 2024-05-01 at 10.00.00.png", "Downloads/qqzz.bin",
                     "Pictures/Screenshots/Screenshot 2024-04-01 at 09.00.00.png"}),
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
    EXPECT_EQ(table.index(0, ReviewTableModel::destinationColumn, invoices).data().toString(),
              "Invoices");
    // The reason in the interface language, for its own line, the tooltip and screen readers.
    const QString reason = first.data(ReviewTableModel::ReasonRole).toString();
    EXPECT_TRUE(reason.startsWith("Like “Invoice Telenor March.pdf” · 0."))
        << reason.toStdString();
    EXPECT_TRUE(table.index(0, ReviewTableModel::destinationColumn, invoices)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(reason));
    EXPECT_TRUE(first.data(Qt::AccessibleDescriptionRole).toString().contains(reason));

    // A row without a destination: no check box to tick, "Choose…" as its destination.
    const QModelIndex unsorted = table.index(2, 0);
    const QModelIndex keep = table.index(0, ReviewTableModel::includeColumn, unsorted);
    EXPECT_FALSE(table.flags(keep) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(keep.data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_EQ(table.index(0, ReviewTableModel::destinationColumn, unsorted).data().toString(),
              "Choose…");
    EXPECT_FALSE(table.setData(keep, Qt::Checked, Qt::CheckStateRole));
}

// A tick changes one cell and a rescan that finds the same files changes none of the lines, so
// views keep their selection without being reset; only a change of groups resets.
TEST_F(ReviewTableModelTest, ResetsOnlyWhenLinesMove) {
    ReviewTableModel table(*model);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&table, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&table, &QAbstractItemModel::dataChanged);
    const QModelIndex check =
        table.index(0, ReviewTableModel::includeColumn, table.index(1, 0)); // the screenshot
    ASSERT_TRUE(table.flags(check) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(table.setData(check, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(resets.count(), 0);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toModelIndex(), check);
    EXPECT_EQ(changes[0][1].toModelIndex(), check);
    EXPECT_EQ(check.data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_EQ(model->pendingCount(), 2);

    // Both invoices at once: one signal for the two neighbouring lines.
    changes.clear();
    model->toggle(std::vector{table.rowAt(table.index(0, 0, table.index(0, 0)))->file(),
                              table.rowAt(table.index(1, 0, table.index(0, 0)))->file()});
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toModelIndex().row(), 0);
    EXPECT_EQ(changes[0][1].toModelIndex().row(), 1);
    EXPECT_EQ(model->pendingCount(), 0);

    model->rescan();
    EXPECT_TRUE(settle(*model));
    EXPECT_EQ(resets.count(), 0);

    // Three rows to the Trash at once: the groups change, one reset.
    std::vector<std::filesystem::path> files;
    for (const Row& row : model->rows()) {
        files.push_back(row.file());
    }
    model->setDestination(Destination::trash(), files);
    EXPECT_EQ(resets.count(), 1);
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.index(0, 0).data().toString(), "Trash (4)");
    EXPECT_EQ(model->pendingCount(), 4);
    EXPECT_EQ(table.indexOf(files[2]).data(ReviewTableModel::FileRole).toString(),
              QString::fromStdString(files[2].string()));

    model->rescan();
    EXPECT_TRUE(settle(*model));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(table.index(0, 0).data().toString(), "Trash (4)"); // edits survive the rescan
    download("Invoice Telenor July.pdf");
    model->rescan();
    EXPECT_TRUE(settle(*model));
    EXPECT_EQ(resets.count(), 2); // a new line
}

TEST_F(ReviewTableModelTest, TheFilterFindsRowsByNameDestinationAndReason) {
    ReviewTableModel table(*model);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto shown = [&] {
        QStringList names;
        for (int group = 0; group < table.rowCount(); ++group) {
            const QModelIndex heading = table.index(group, 0);
            for (int row = 0; row < table.rowCount(heading); ++row) {
                names << table.index(row, ReviewTableModel::nameColumn, heading).data().toString();
            }
        }
        return names;
    };
    table.setFilter("JUNE telenor"); // any order, any case
    EXPECT_EQ(shown(), QStringList{"Invoice Telenor June.pdf"});
    EXPECT_EQ(table.index(0, 0).data().toString(), "Invoices (1)");
    table.setFilter("documents/invoices"); // where it goes
    EXPECT_EQ(shown(), (QStringList{"Invoice Telenor June.pdf", "Invoice Telenor May.pdf"}));
    table.setFilter("");
    EXPECT_EQ(shown().size(), 4);
    // Part of the reason finds the row too, in Chinese without spaces as well.
    const QModelIndex odd = table.index(0, ReviewTableModel::nameColumn, table.index(2, 0));
    const QString reasonPart = odd.data(ReviewTableModel::ReasonRole).toString().left(4);
    ASSERT_EQ(reasonPart.size(), 4);
    table.setFilter(reasonPart);
    EXPECT_TRUE(shown().contains("qqzz.bin"));
    table.setFilter("nothing like this");
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_FALSE(table.indexOf(model->rows().front().file()).isValid());
}

} // namespace
} // namespace vesk
