#include "app/DestinationChoices.h"

#include "app/AppModel.h"
#include "support/ModelHome.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

namespace vesk {
namespace {

using Kind = DestinationChoices::Kind;

class DestinationChoicesTest : public testing::Test, protected test::ModelHome {
protected:
    DestinationChoicesTest()
        : ModelHome({"Documents/Invoices/Invoice Telenor March.pdf",
                     "Documents/Invoices/2024/Invoice Telenor April 2024.pdf",
                     "Documents/Car/Service.pdf", "Documents/项目资料/发票一月.pdf",
                     "Documents/Résumé/cv.pdf"}),
          invoice(download("Invoice Telenor May 2024.pdf")), service(download("Service 2.pdf")),
          model(makeModel(onboardedSettings())) {
        EXPECT_TRUE(settle(*model));
    }

    static Kind kind(const DestinationChoices& choices, int row) {
        return static_cast<Kind>(
            choices.index(row).data(DestinationChoices::KindRole).toInt());
    }
    // The folders listed, in order.
    static QStringList folders(const DestinationChoices& choices) {
        QStringList texts;
        for (int row = 0; row < choices.rowCount(); ++row) {
            if (kind(choices, row) == Kind::folder) {
                texts << choices.index(row).data().toString();
            }
        }
        return texts;
    }
    [[nodiscard]] const Row& rowOf(const std::filesystem::path& file) const {
        return model->rows()[*model->rowIndex(file)];
    }

    std::filesystem::path invoice;
    std::filesystem::path service;
    std::unique_ptr<AppModel> model;
};

TEST_F(DestinationChoicesTest, TheEnginesCandidatesComeFirstWithTheirScores) {
    DestinationChoices choices(*model, {invoice});
    QAbstractItemModelTester tester(&choices,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const Row& row = rowOf(invoice);
    ASSERT_TRUE(row.suggestion->target);
    ASSERT_GE(row.suggestion->candidates.size(), 2U);
    EXPECT_EQ(kind(choices, 0), Kind::heading);
    EXPECT_EQ(choices.index(0).data().toString(), "Suggested");
    for (std::size_t i = 0; i < row.suggestion->candidates.size(); ++i) {
        const QModelIndex entry = choices.index(static_cast<int>(i) + 1);
        const Candidate& candidate = row.suggestion->candidates[i];
        EXPECT_EQ(entry.data().toString(),
                  QString::fromStdString(model->targets()[candidate.target].label));
        EXPECT_DOUBLE_EQ(entry.data(DestinationChoices::ScoreRole).toDouble(), candidate.score);
    }
    // Where the file goes now is marked, and where the chooser starts.
    EXPECT_TRUE(choices.index(1).data(DestinationChoices::IsCurrentRole).toBool());
    EXPECT_EQ(choices.startRow(), 1);
    EXPECT_FALSE(choices.flags(choices.index(0)) & Qt::ItemIsSelectable);
    // Then every folder by its first folder below home, then the three ways out.
    EXPECT_TRUE(folders(choices).contains("Invoices/2024"));
    const int last = choices.rowCount() - 1;
    EXPECT_EQ((std::vector{kind(choices, last - 2), kind(choices, last - 1), kind(choices, last)}),
              (std::vector{Kind::otherFolder, Kind::trash, Kind::dontTidy}));
}

TEST_F(DestinationChoicesTest, TypingFindsFoldersByAnyWordAnyPartAndWithoutAccents) {
    DestinationChoices choices(*model, {invoice});
    const std::vector<std::pair<QString, QString>> found{
        {"invoices", "Invoices/2024"}, // a word from the middle of the path
        {"2024 DOCUMENTS", "Invoices/2024"}, // words in any order, any case
        {"资料", "项目资料"},           // part of a Chinese name
        {"resume", "Résumé"},
        {"car", "Car"},
    };
    for (const auto& [typed, folder] : found) {
        choices.setFilter(typed);
        EXPECT_TRUE(folders(choices).contains(folder)) << typed.toStdString();
        EXPECT_EQ(kind(choices, choices.rowCount() - 1), Kind::dontTidy) << typed.toStdString();
    }
    choices.setFilter("car invoices");
    EXPECT_TRUE(folders(choices).isEmpty());
    EXPECT_EQ(choices.rowCount(), 3); // only the ways out, which always stay
}

TEST_F(DestinationChoicesTest, ChoicesActOnEveryFileAndRecentFoldersFollow) {
    DestinationChoices both(*model, {invoice, service});
    both.setFilter("car");
    int car = -1;
    for (int row = 0; row < both.rowCount(); ++row) {
        if (both.index(row).data().toString() == "Car") {
            car = row;
        }
    }
    ASSERT_GE(car, 0);
    EXPECT_TRUE(both.choose(car));
    const auto carFolder = Destination::folder(location.home / "Documents/Car");
    EXPECT_EQ(rowOf(invoice).destination, carFolder);
    EXPECT_EQ(rowOf(service).destination, carFolder);

    // The folder just chosen is offered among the recent ones, unless it is a candidate.
    DestinationChoices next(*model, {invoice});
    const QStringList listed = folders(next);
    EXPECT_TRUE(listed.contains("Documents/Car"));
    EXPECT_EQ(listed.count("Documents/Car"), 1);

    const int trash = next.rowCount() - 2;
    EXPECT_TRUE(next.choose(trash));
    EXPECT_EQ(rowOf(invoice).destination, Destination::trash());
    EXPECT_FALSE(next.choose(0)); // a heading
}

} // namespace
} // namespace vesk
