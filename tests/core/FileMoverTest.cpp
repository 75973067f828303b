#include "core/FileMover.h"

#include "core/MoveHistory.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::makeDir;
using test::readFile;
using test::TempDir;
using test::writeFile;

// A home of its own for every case, so the Trash used is never the real one.
class FileMoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
    }

    TempDir home;
    fs::path historyFile() const { return home / "support" / "history.json"; }
};

TEST_F(FileMoverTest, FreeNamesCountUpBeforeTheLastExtension) {
    writeFile(home / "report.pdf");
    writeFile(home / "report 2.pdf");
    writeFile(home / "a.tar.gz");
    writeFile(home / "notes");
    makeDir(home / "Tool.app");
    makeDir(home / "Photos");

    EXPECT_EQ(freePath(home / "free.pdf"), home / "free.pdf");
    EXPECT_EQ(freePath(home / "report.pdf"), home / "report 3.pdf");
    EXPECT_EQ(freePath(home / "a.tar.gz"), home / "a.tar 2.gz");
    EXPECT_EQ(freePath(home / "notes"), home / "notes 2");
    EXPECT_EQ(freePath(home / "Tool.app"), home / "Tool 2.app");
    EXPECT_EQ(freePath(home / "Photos"), home / "Photos 2");
}

TEST_F(FileMoverTest, MovesIntoNewFoldersAndUndoesEverything) {
    const fs::path first = writeFile(home / "Downloads/x.pdf", "first");
    const fs::path second = writeFile(home / "Desktop/x.pdf", "second");
    const fs::path app = writeFile(home / "Downloads/Tool.app/Contents/Info.plist", "app");
    makeDir(home / "Documents");
    FileMover mover(historyFile());

    const fs::path work = home / "Documents/Work/2024";
    const auto [batch, failures] =
        mover.apply({{first, Destination::folder(work)},
                     {second, Destination::folder(work)},
                     {home / "Downloads/Tool.app", Destination::folder(work)}});

    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(batch.records,
              (std::vector<MoveRecord>{{first, work / "x.pdf"},
                                       {second, work / "x 2.pdf"},
                                       {home / "Downloads/Tool.app", work / "Tool.app"}}));
    EXPECT_EQ(batch.createdFolders, (std::vector<fs::path>{home / "Documents/Work", work}));
    EXPECT_EQ(readFile(work / "x 2.pdf"), "second");
    EXPECT_EQ(readFile(work / "Tool.app/Contents/Info.plist"), "app");
    EXPECT_EQ(mover.history(), std::vector<Batch>{batch});

    const UndoResult undone = mover.undoLast();
    EXPECT_EQ(undone.restored, 3);
    EXPECT_TRUE(undone.failures.empty());
    EXPECT_EQ(readFile(first), "first");
    EXPECT_EQ(readFile(second), "second");
    EXPECT_EQ(readFile(app), "app");
    EXPECT_FALSE(fs::exists(home / "Documents/Work"));
    EXPECT_TRUE(fs::exists(home / "Documents"));
    EXPECT_TRUE(mover.history().empty());
    EXPECT_TRUE(loadHistory(historyFile()).empty());
}

TEST_F(FileMoverTest, UndoKeepsCreatedFoldersThatStillHoldSomething) {
    const fs::path a = writeFile(home / "Downloads/a.txt");
    const fs::path b = writeFile(home / "Downloads/b.txt");
    FileMover mover(historyFile());
    (void)mover.apply(
        {{a, Destination::folder(home / "Kept")}, {b, Destination::folder(home / "Tidy")}});
    writeFile(home / "Kept/mine.txt");
    writeFile(home / "Tidy/.DS_Store");

    EXPECT_EQ(mover.undoLast().restored, 2);
    EXPECT_TRUE(fs::exists(home / "Kept/mine.txt"));
    EXPECT_FALSE(fs::exists(home / "Tidy"));
}

TEST_F(FileMoverTest, ReportsEachFailureAndGoesOn) {
    const fs::path gone = home / "Downloads/gone.pdf";
    const fs::path blocked = writeFile(home / "Downloads/blocked.pdf", "b");
    const fs::path fine = writeFile(home / "Downloads/fine.pdf", "f");
    const fs::path notAFolder = writeFile(home / "plain.txt");
    FileMover mover(historyFile());

    const auto [batch, failures] = mover.apply({{gone, Destination::folder(home / "Docs")},
                                                {blocked, Destination::folder(notAFolder / "sub")},
                                                {fine, Destination::folder(home / "Docs")}});

    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], (MoveFailure{gone, "文件已不在原处"}));
    EXPECT_EQ(failures[1].file, blocked);
    EXPECT_EQ(failures[1].message, std::make_error_code(std::errc::not_a_directory).message());
    EXPECT_EQ(readFile(blocked), "b");
    EXPECT_EQ(batch.records, (std::vector<MoveRecord>{{fine, home / "Docs/fine.pdf"}}));
}

TEST_F(FileMoverTest, BatchesWithoutMovesAreNeitherKeptNorSaved) {
    FileMover mover(historyFile());
    const auto [batch, failures] =
        mover.apply({{home / "missing.txt", Destination::folder(home / "New")}});

    EXPECT_TRUE(batch.records.empty());
    EXPECT_EQ(failures.size(), 1u);
    EXPECT_TRUE(mover.history().empty());
    EXPECT_EQ(mover.undoLast().restored, 0);
    EXPECT_FALSE(fs::exists(historyFile()));
}

TEST_F(FileMoverTest, TrashesAndUndoBringsItBack) {
    const fs::path file = writeFile(home / "Downloads/setup.dmg", "dmg");
    FileMover mover(historyFile());

    const auto [batch, failures] = mover.apply({{file, Destination::trash()}});
    ASSERT_TRUE(failures.empty()) << failures[0].message;
    ASSERT_EQ(batch.records.size(), 1u);
    EXPECT_EQ(batch.records[0].moved, home / ".local/share/Trash/files/setup.dmg");
    EXPECT_FALSE(fs::exists(file));

    EXPECT_EQ(mover.undoLast().restored, 1);
    EXPECT_EQ(readFile(file), "dmg");
    EXPECT_FALSE(fs::exists(home / ".local/share/Trash/info/setup.dmg.trashinfo"));
}

TEST_F(FileMoverTest, KeepsTheTwentyNewestBatches) {
    FileMover mover(historyFile());
    std::vector<std::string> ids;
    for (int n = 0; n < 21; ++n) {
        const fs::path file = writeFile(home / "Downloads" / (std::to_string(n) + ".txt"));
        ids.push_back(mover.apply({{file, Destination::folder(home / "Docs")}}).batch.id);
    }

    ASSERT_EQ(mover.history().size(), 20u);
    EXPECT_EQ(mover.history().front().id, ids[1]);
    EXPECT_EQ(mover.history().back().id, ids[20]);
    EXPECT_EQ(FileMover(historyFile()).history().size(), 20u);
}

TEST_F(FileMoverTest, TakesTheNextNameWhenOneAppearsJustBeforeTheMove) {
    const fs::path file = writeFile(home / "Downloads/x.pdf", "mine");
    FileMover mover(historyFile());
    bool intruded = false;
    mover.setBeforeMove([&](const fs::path& target) {
        if (!intruded) {
            intruded = true;
            writeFile(target, "theirs");
        }
    });

    const auto [batch, failures] = mover.apply({{file, Destination::folder(home / "Docs")}});
    ASSERT_EQ(batch.records.size(), 1u);
    EXPECT_EQ(batch.records[0].moved, home / "Docs/x 2.pdf");
    EXPECT_EQ(readFile(home / "Docs/x.pdf"), "theirs");

    // The same race on the way back.
    intruded = false;
    EXPECT_EQ(mover.undoLast().restored, 1);
    EXPECT_EQ(readFile(file), "theirs");
    EXPECT_EQ(readFile(home / "Downloads/x 2.pdf"), "mine");
}

TEST_F(FileMoverTest, UndoAfterRestartWithANameThatIsNotUtf8) {
    const fs::path odd = writeFile(home / "Downloads/caf\xE9 menu.pdf", "menu");
    const fs::path other = writeFile(home / "Downloads/deleted.txt");
    {
        FileMover mover(historyFile());
        const auto [batch, failures] = mover.apply({{odd, Destination::folder(home / "Food")},
                                                    {other, Destination::folder(home / "Food")}});
        ASSERT_TRUE(failures.empty());
    }
    fs::remove(home / "Food/deleted.txt");
    writeFile(odd, "new arrival");

    FileMover restarted(historyFile());
    ASSERT_EQ(restarted.history().size(), 1u);
    const UndoResult undone = restarted.undoLast();

    EXPECT_EQ(undone.restored, 1);
    EXPECT_EQ(undone.failures,
              (std::vector<MoveFailure>{{home / "Food/deleted.txt", "找不到已移动的文件"}}));
    EXPECT_EQ(readFile(odd), "new arrival");
    EXPECT_EQ(readFile(home / "Downloads/caf\xE9 menu 2.pdf"), "menu");
    EXPECT_FALSE(fs::exists(home / "Food"));
    EXPECT_TRUE(FileMover(historyFile()).history().empty());
}

TEST_F(FileMoverTest, DestinationsOfSuggestions) {
    Suggestion suggestion;
    suggestion.action = Action::move("Pictures/Screenshots");
    EXPECT_EQ(destination(suggestion, "/home/a"),
              Destination::folder("/home/a/Pictures/Screenshots"));
    suggestion.action = Action::toApplications();
    EXPECT_EQ(destination(suggestion, "/home/a"), Destination::folder("/Applications"));
    suggestion.action = Action::trash();
    EXPECT_EQ(destination(suggestion, "/home/a"), Destination::trash());
    suggestion.action = Action::keep();
    EXPECT_EQ(destination(suggestion, "/home/a"), std::nullopt);
    suggestion.action = Action::ask();
    EXPECT_EQ(destination(suggestion, "/home/a"), std::nullopt);
}

} // namespace
} // namespace vesk
