#include "app/ReviewRows.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

const std::filesystem::path home = "/home/u";

Suggestion suggestion(const std::string& name, Action action, Layer layer = Layer::match,
                      const std::string& like = "x") {
    FileItem item;
    item.path = home / "Downloads" / name;
    item.name = name;
    return {item, std::move(action), layer, {}, {}, {ReasonCode::likeFile, {like, "0.50"}}};
}

Plan planOf(std::vector<Suggestion> suggestions) {
    Plan plan;
    plan.suggestions = std::move(suggestions);
    return plan;
}

const ReviewRows::Allows allowAll = [](const std::filesystem::path&) { return true; };

TEST(ReviewRows, MergeTurnsSuggestionsIntoRows) {
    const auto rows = ReviewRows::merge(
        {},
        planOf({suggestion("shot.png", Action::move("Pictures/Screenshots"), Layer::rule),
                suggestion("old.dmg", Action::trash(), Layer::rule),
                suggestion("x.bin", Action::ask(), Layer::none),
                suggestion("kept.pdf", Action::keep(), Layer::none),
                suggestion("new.pdf", Action::keep(), Layer::skip),
                suggestion("Old stuff", Action::keep(), Layer::userFolder)}),
        home, allowAll);
    ASSERT_EQ(rows.size(), 4U); // too new and folders in a source folder are no rows
    EXPECT_EQ(rows[0].destination, Destination::folder(home / "Pictures/Screenshots"));
    EXPECT_TRUE(rows[0].included && rows[0].isPending());
    EXPECT_EQ(rows[1].destination, Destination::trash());
    for (const Row& row : {rows[2], rows[3]}) {
        EXPECT_FALSE(row.destination || row.included || row.isPending() || row.edited);
    }
    EXPECT_EQ(ReviewRows::pending(rows).size(), 2U);
    // A file already where it belongs is not waiting for anything.
    Suggestion placed = suggestion("c", Action::keep(), Layer::skip);
    placed.reason = {ReasonCode::inPlace, {}};
    EXPECT_EQ(ReviewRows::waiting(planOf({suggestion("a", Action::keep(), Layer::skip),
                                          suggestion("b", Action::keep(), Layer::skip), placed})),
              2);
}

TEST(ReviewRows, EditedRowsKeepTheirChoiceAcrossScansAndRefusedFoldersAreDropped) {
    auto rows = ReviewRows::merge({},
                                  planOf({suggestion("bill.pdf", Action::move("Bills")),
                                          suggestion("song.mp3", Action::move("Music"))}),
                                  home, allowAll);
    rows[0].included = false; // excluded by the person
    rows[0].edited = true;
    const auto later = ReviewRows::merge(
        rows,
        planOf({suggestion("bill.pdf", Action::move("Taxes"), Layer::match, "tax"),
                suggestion("song.mp3", Action::move("Podcasts"))}),
        home, [](const std::filesystem::path& path) { return path != home / "Podcasts"; });
    ASSERT_EQ(later.size(), 2U);
    EXPECT_EQ(later[0].destination, Destination::folder(home / "Bills"));
    EXPECT_FALSE(later[0].included);
    EXPECT_TRUE(later[0].edited);
    EXPECT_EQ(later[0].suggestion->reason.arguments[0], ReasonArgument("tax"));
    // Not edited: follows the new suggestion, whose folder is not allowed.
    EXPECT_FALSE(later[1].destination);
    EXPECT_FALSE(later[1].included);
    // Rows of files gone from the plan go, with their edits.
    EXPECT_TRUE(ReviewRows::merge(later, planOf({}), home, allowAll).empty());
}

TEST(ReviewRows, GroupsFoldersBySizeThenTitleThenTrashThenUnsorted) {
    std::vector<Suggestion> plan;
    const auto add = [&](int count, const std::string& name, const Action& action) {
        for (int i = 0; i < count; ++i) {
            plan.push_back(suggestion(name + std::to_string(i), action));
        }
    };
    add(1, "u", Action::ask());
    add(2, "w", Action::move("Documents/Work"));
    add(9, "t", Action::trash());
    add(5, "i", Action::move("Documents/Invoices"));
    add(2, "m", Action::move("Music"));
    add(2, "a", Action::move("Documents/apple")); // lower case sorts after upper case
    const auto rows = ReviewRows::merge({}, planOf(plan), home, allowAll);
    std::vector<QString> titles;
    std::vector<std::size_t> sizes;
    for (const auto& group : ReviewRows::groups(rows, home)) {
        titles.push_back(ReviewRows::title(group.key, home));
        sizes.push_back(group.rows.size());
    }
    EXPECT_EQ(titles,
              (std::vector<QString>{"Invoices", "Music", "Work", "apple", "Trash", "Unsorted"}));
    EXPECT_EQ(sizes, (std::vector<std::size_t>{5, 2, 2, 2, 9, 1}));
    const auto ordered = ReviewRows::ordered(rows, home);
    ASSERT_EQ(ordered.size(), rows.size());
    EXPECT_EQ(ordered.front().suggestion->item.name, "i0");
    EXPECT_EQ(ordered.back().suggestion->item.name, "u0");
    EXPECT_TRUE(ReviewRows::groups({}, home).empty());
}

TEST(ReviewRows, TitlesAndFolderChoices) {
    EXPECT_EQ(ReviewRows::title({RowGroup::Type::folder, home / "Applications"}, home),
              "Applications");
    EXPECT_EQ(ReviewRows::title({RowGroup::Type::folder, home / "Pictures/Screenshots"}, home),
              "Screenshots");

    const auto target = [](const std::string& label, bool project = false) {
        return Target{home / label, label, project, {}, {}};
    };
    const std::vector<Target> targets{target("Documents/Project 10"),
                                      target("Documents/code", true), target("Documents/Project 2"),
                                      target("documents/b"), target("Documents/a")};
    std::vector<std::string> labels;
    for (const Target* choice : ReviewRows::folderChoices(targets)) {
        labels.push_back(choice->label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Documents/a", "documents/b", "Documents/Project 2",
                                                "Documents/Project 10"}));
}

} // namespace
} // namespace vesk
