#include "core/moves/FileMover.h"

#include "core/moves/MoveHistory.h"
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
    const fs::path historyFile = home / "support/history.json";
    FileMover mover{historyFile};
};

TEST_F(FileMoverTest, FreeNamesCountUpBeforeTheLastExtension) {
    for (const char* name : {"report.pdf", "report 2.pdf", "a.tar.gz", "notes"}) {
        writeFile(home / name);
    }
    makeDir(home / "Tool.app");
    makeDir(home / "Photos");

    EXPECT_EQ(freePath(home / "free.pdf"), home / "free.pdf");
    EXPECT_EQ(freePath(home / "report.pdf"), home / "report 3.pdf");
    EXPECT_EQ(freePath(home / "a.tar.gz"), home / "a.tar 2.gz");
    EXPECT_EQ(freePath(home / "notes"), home / "notes 2");
    EXPECT_EQ(freePath(home / "Tool.app"), home / "Tool 2.app");
    EXPECT_EQ(freePath(home / "Photos"), home / "Photos 2");
}

TEST_F(FileMoverTest, MovesAndTrashesABatchAndUndoesIt) {
    const fs::path first = writeFile(home / "Downloads/x.pdf", "first");
    const fs::path second = writeFile(home / "Desktop/x.pdf", "second");
    const fs::path app = home / "Downloads/Tool.app";
    writeFile(app / "Contents/Info.plist", "app");
    const fs::path kept = writeFile(home / "Downloads/a.txt");
    const fs::path tidied = writeFile(home / "Downloads/b.txt");
    const fs::path trashed = writeFile(home / "Downloads/setup.dmg", "dmg");
    makeDir(home / "Documents");

    const fs::path work = home / "Documents/Work/2024";
    const auto [batch, failures] = mover.apply({{first, Destination::folder(work)},
                                                {second, Destination::folder(work)},
                                                {app, Destination::folder(work)},
                                                {kept, Destination::folder(home / "Kept")},
                                                {tidied, Destination::folder(home / "Tidy")},
                                                {trashed, Destination::trash()}});

    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(batch.records,
              (std::vector<MoveRecord>{{first, work / "x.pdf"},
                                       {second, work / "x 2.pdf"},
                                       {app, work / "Tool.app"},
                                       {kept, home / "Kept/a.txt"},
                                       {tidied, home / "Tidy/b.txt"},
                                       {trashed, home / ".local/share/Trash/files/setup.dmg"}}));
    EXPECT_EQ(batch.createdFolders,
              (std::vector<fs::path>{home / "Documents/Work", work, home / "Kept", home / "Tidy"}));
    EXPECT_EQ(readFile(work / "x 2.pdf"), "second");
    EXPECT_FALSE(fs::exists(trashed));
    EXPECT_EQ(mover.history(), std::vector<Batch>{batch});
    writeFile(home / "Kept/mine.txt");
    writeFile(home / "Tidy/.DS_Store");

    const UndoResult undone = mover.undoLast();
    EXPECT_EQ(undone.restored, 6);
    EXPECT_TRUE(undone.failures.empty());
    EXPECT_EQ(readFile(first), "first");
    EXPECT_EQ(readFile(second), "second");
    EXPECT_EQ(readFile(app / "Contents/Info.plist"), "app");
    EXPECT_EQ(readFile(trashed), "dmg");
    EXPECT_FALSE(fs::exists(home / ".local/share/Trash/info/setup.dmg.trashinfo"));
    // Created folders go, unless something other than .DS_Store is left in them.
    EXPECT_FALSE(fs::exists(home / "Documents/Work"));
    EXPECT_TRUE(fs::exists(home / "Documents"));
    EXPECT_TRUE(fs::exists(home / "Kept/mine.txt"));
    EXPECT_FALSE(fs::exists(home / "Tidy"));
    EXPECT_TRUE(mover.history().empty());
    EXPECT_TRUE(loadHistory(historyFile).empty());
}

TEST_F(FileMoverTest, ReportsEachFailureAndGoesOn) {
    const fs::path gone = home / "Downloads/gone.pdf";
    // A batch without moves is neither kept nor saved, and undo then writes nothing.
    EXPECT_TRUE(mover.apply({{gone, Destination::folder(home / "Docs")}}).batch.records.empty());
    EXPECT_TRUE(mover.history().empty());
    EXPECT_EQ(mover.undoLast().restored, 0);
    EXPECT_FALSE(fs::exists(historyFile));

    const fs::path blocked = writeFile(home / "Downloads/blocked.pdf", "b");
    const fs::path fine = writeFile(home / "Downloads/fine.pdf", "f");
    const fs::path notAFolder = writeFile(home / "plain.txt");
    const auto [batch, failures] = mover.apply({{gone, Destination::folder(home / "Docs")},
                                                {blocked, Destination::folder(notAFolder / "sub")},
                                                {fine, Destination::folder(home / "Docs")}});

    EXPECT_EQ(failures,
              (std::vector<MoveFailure>{
                  {gone, "文件已不在原处"},
                  {blocked, std::make_error_code(std::errc::not_a_directory).message()}}));
    EXPECT_EQ(readFile(blocked), "b");
    EXPECT_EQ(batch.records, (std::vector<MoveRecord>{{fine, home / "Docs/fine.pdf"}}));
}

TEST_F(FileMoverTest, KeepsTheTwentyNewestBatches) {
    std::vector<std::string> ids;
    for (int n = 0; n < 21; ++n) {
        const fs::path file = writeFile(home / "Downloads" / (std::to_string(n) + ".txt"));
        ids.push_back(mover.apply({{file, Destination::folder(home / "Docs")}}).batch.id);
    }

    ASSERT_EQ(mover.history().size(), 20u);
    EXPECT_EQ(mover.history().front().id, ids[1]);
    EXPECT_EQ(mover.history().back().id, ids[20]);
    EXPECT_EQ(FileMover(historyFile).history().size(), 20u);
}

TEST_F(FileMoverTest, TakesTheNextNameWhenOneAppearsJustBeforeTheMove) {
    const fs::path file = writeFile(home / "Downloads/x.pdf", "mine");
    bool intruded = false;
    mover.setBeforeMove([&](const fs::path& target) {
        if (!intruded) {
            intruded = true;
            writeFile(target, "theirs");
        }
    });

    const auto [batch, failures] = mover.apply({{file, Destination::folder(home / "Docs")}});
    EXPECT_EQ(batch.records, (std::vector<MoveRecord>{{file, home / "Docs/x 2.pdf"}}));
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
    ASSERT_TRUE(mover
                    .apply({{odd, Destination::folder(home / "Food")},
                            {other, Destination::folder(home / "Food")}})
                    .failures.empty());
    fs::remove(home / "Food/deleted.txt");
    writeFile(odd, "new arrival");

    FileMover restarted(historyFile);
    ASSERT_EQ(restarted.history().size(), 1u);
    EXPECT_EQ(restarted.history()[0].records, mover.history()[0].records);
    const UndoResult undone = restarted.undoLast();
    EXPECT_EQ(undone.restored, 1);
    EXPECT_EQ(undone.failures,
              (std::vector<MoveFailure>{{home / "Food/deleted.txt", "找不到已移动的文件"}}));
    EXPECT_EQ(readFile(odd), "new arrival");
    EXPECT_EQ(readFile(home / "Downloads/caf\xE9 menu 2.pdf"), "menu");
    EXPECT_FALSE(fs::exists(home / "Food"));
    EXPECT_TRUE(loadHistory(historyFile).empty());
}

TEST(FileMoverDestinationTest, DestinationsOfSuggestions) {
    const std::vector<std::pair<Action, std::optional<Destination>>> cases = {
        {Action::move("Pictures/Screenshots"), Destination::folder("/home/a/Pictures/Screenshots")},
        {Action::toApplications(), Destination::folder("/home/a/Applications")},
        {Action::trash(), Destination::trash()},
        {Action::keep(), std::nullopt},
        {Action::ask(), std::nullopt}};
    for (const auto& [action, expected] : cases) {
        Suggestion suggestion;
        suggestion.action = action;
        EXPECT_EQ(destination(suggestion, "/home/a"), expected) << action.key();
    }
}

} // namespace
} // namespace vesk
