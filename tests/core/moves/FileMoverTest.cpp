#include "core/moves/FileMover.h"

#include "core/moves/MoveHistory.h"
#include "support/ChildProcess.h"
#include "support/OtherVolume.h"
#include "support/ScratchVolume.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::makeDir;
using test::readFile;
using test::TempDir;
using test::writeFile;
using Moves = std::vector<std::pair<fs::path, fs::path>>;

Moves movesOf(const std::vector<MoveRecord>& records) {
    Moves moves;
    for (const MoveRecord& record : records) {
        moves.emplace_back(record.original, record.moved);
    }
    return moves;
}

// A home of its own for every case, so the Trash used is never the real one.
class FileMoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
    }

    // Files of these names in Downloads, each to go to Docs.
    std::vector<std::pair<fs::path, Destination>> downloads(const std::vector<std::string>& names) {
        std::vector<std::pair<fs::path, Destination>> moves;
        for (const std::string& name : names) {
            moves.emplace_back(writeFile(home / "Downloads" / name, name),
                               Destination::folder(home / "Docs"));
        }
        return moves;
    }

    TempDir home;
    const fs::path historyFile = home / "support/history.json";
    FileMover mover{historyFile};
};

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
    const ApplyResult applied = mover.apply({{first, Destination::folder(work)},
                                             {second, Destination::folder(work)},
                                             {app, Destination::folder(work)},
                                             {kept, Destination::folder(home / "Kept")},
                                             {tidied, Destination::folder(home / "Tidy")},
                                             {trashed, Destination::trash()}});

    EXPECT_TRUE(applied.failures.empty());
    EXPECT_EQ(movesOf(applied.batch.records),
              (Moves{{first, work / "x.pdf"},
                     {second, work / "x 2.pdf"},
                     {app, work / "Tool.app"},
                     {kept, home / "Kept/a.txt"},
                     {tidied, home / "Tidy/b.txt"},
                     {trashed, home / ".local/share/Trash/files/setup.dmg"}}));
    EXPECT_EQ(applied.batch.createdFolders,
              (std::vector<fs::path>{home / "Documents/Work", work, home / "Kept", home / "Tidy"}));
    EXPECT_EQ(readFile(work / "x 2.pdf"), "second");
    EXPECT_FALSE(fs::exists(trashed));
    EXPECT_EQ(mover.history(), std::vector<Batch>{applied.batch});
    writeFile(home / "Kept/mine.txt");
    writeFile(home / "Tidy/.DS_Store", "someone's");

    const UndoResult undone = mover.undoLast();
    EXPECT_EQ(undone.restored, 6);
    EXPECT_TRUE(undone.failures.empty());
    EXPECT_EQ(readFile(first), "first");
    EXPECT_EQ(readFile(second), "second");
    EXPECT_EQ(readFile(app / "Contents/Info.plist"), "app");
    EXPECT_EQ(readFile(trashed), "dmg");
    EXPECT_FALSE(fs::exists(home / ".local/share/Trash/info/setup.dmg.trashinfo"));
    // Created folders go only when empty: a hidden file in one is someone's file too.
    EXPECT_FALSE(fs::exists(home / "Documents/Work"));
    EXPECT_TRUE(fs::exists(home / "Documents"));
    EXPECT_TRUE(fs::exists(home / "Kept/mine.txt"));
    EXPECT_EQ(readFile(home / "Tidy/.DS_Store"), "someone's");
    EXPECT_TRUE(mover.history().empty());
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
    // Where it already is: moving it would only rename it to "photo 2.jpg" on every tidy.
    const fs::path placed = writeFile(home / "Pictures/photo.jpg", "p");
    const ApplyResult result = mover.apply({{gone, Destination::folder(home / "Docs")},
                                            {blocked, Destination::folder(notAFolder / "sub")},
                                            {placed, Destination::folder(home / "Pictures/")},
                                            {fine, Destination::folder(home / "Docs")}});

    EXPECT_EQ(result.failures, (std::vector<MoveFailure>{
                                   {gone, MoveFailure::Code::sourceMissing, {}},
                                   {blocked, MoveFailure::Code::system,
                                    std::make_error_code(std::errc::not_a_directory).message()}}));
    EXPECT_EQ(readFile(blocked), "b");
    EXPECT_EQ(result.inPlace, std::vector<fs::path>{placed});
    EXPECT_EQ(fs::directory_iterator(home / "Pictures")->path(), placed);
    EXPECT_EQ(movesOf(result.batch.records), (Moves{{fine, home / "Docs/fine.pdf"}}));
}

TEST_F(FileMoverTest, KeepsTheTwentyNewestBatches) {
    std::vector<std::string> ids;
    for (int n = 0; n < 21; ++n) {
        ids.push_back(mover.apply(downloads({std::to_string(n) + ".txt"})).batch.id);
    }

    const std::vector<Batch> history = FileMover(historyFile).history();
    ASSERT_EQ(history.size(), 20u);
    EXPECT_EQ(history.front().id, ids[1]);
    EXPECT_EQ(history.back().id, ids[20]);
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

    const ApplyResult applied = mover.apply({{file, Destination::folder(home / "Docs")}});
    EXPECT_EQ(movesOf(applied.batch.records), (Moves{{file, home / "Docs/x 2.pdf"}}));
    EXPECT_EQ(readFile(home / "Docs/x.pdf"), "theirs");

    // The same race on the way back, and the undo says where the file went instead.
    intruded = false;
    const UndoResult undone = mover.undoLast();
    EXPECT_EQ(undone.restored, 1);
    EXPECT_EQ(movesOf(undone.renamed), (Moves{{file, home / "Downloads/x 2.pdf"}}));
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
    EXPECT_EQ(movesOf(restarted.history()[0].records),
              (Moves{{odd, home / "Food/caf\xE9 menu.pdf"}, {other, home / "Food/deleted.txt"}}));
    const UndoResult undone = restarted.undoLast();
    EXPECT_EQ(undone.restored, 1);
    // A file that is gone cannot come back on another try either, so its record goes too.
    EXPECT_EQ(undone.failures,
              (std::vector<MoveFailure>{
                  {home / "Food/deleted.txt", MoveFailure::Code::movedMissing, {}}}));
    EXPECT_EQ(readFile(odd), "new arrival");
    EXPECT_EQ(readFile(home / "Downloads/caf\xE9 menu 2.pdf"), "menu");
    EXPECT_FALSE(fs::exists(home / "Food"));
    EXPECT_TRUE(readHistory(historyFile).empty());
}

TEST_F(FileMoverTest, AKilledTidyCanBeUndoneUpToTheFileItReached) {
    const auto moves = downloads({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"});
    test::ChildProcess tidy([&] {
        int started = 0;
        mover.setBeforeMove([&](const fs::path&) {
            if (++started == 4) {
                ::_exit(0);
            }
        });
        (void)mover.apply(moves);
        return 1;
    });
    ASSERT_EQ(tidy.wait(), 0);

    EXPECT_EQ(FileMover(historyFile).undoLast().restored, 3);
    for (const auto& [file, destination] : moves) {
        EXPECT_EQ(readFile(file), file.filename().string());
    }
    EXPECT_FALSE(fs::exists(home / "Docs"));
}

TEST_F(FileMoverTest, AFailedRestoreKeepsItsRecordForAnotherTry) {
    const fs::path desk = writeFile(home / "Desktop/d.txt", "d");
    auto moves = downloads({"a.txt"});
    moves.emplace_back(desk, Destination::folder(home / "Docs"));
    ASSERT_EQ(mover.apply(moves).batch.records.size(), 2U);
    fs::remove_all(home / "Downloads");
    writeFile(home / "Downloads", "a file where the folder was");

    const UndoResult first = mover.undoLast();
    EXPECT_EQ(first.restored, 1);
    ASSERT_EQ(first.failures.size(), 1U);
    EXPECT_EQ(first.failures[0].file, home / "Docs/a.txt");
    EXPECT_EQ(first.remaining, 1U);
    ASSERT_EQ(mover.history().size(), 1U);
    EXPECT_EQ(movesOf(mover.history()[0].records),
              (Moves{{home / "Downloads/a.txt", home / "Docs/a.txt"}}));

    fs::remove(home / "Downloads");
    const UndoResult second = mover.undoLast();
    EXPECT_EQ(second.restored, 1);
    EXPECT_TRUE(second.failures.empty());
    EXPECT_EQ(readFile(home / "Downloads/a.txt"), "a.txt");
    EXPECT_TRUE(mover.history().empty());
    EXPECT_FALSE(fs::exists(home / "Docs"));
}

TEST_F(FileMoverTest, UndoMovesBackOnlyTheFileItMoved) {
    const auto moves = downloads({"edited.txt", "replaced.txt", "copied.txt"});
    ASSERT_EQ(mover.apply(moves).batch.records.size(), 3U);
    std::ofstream(home / "Docs/edited.txt", std::ios::app) << " and more";
    fs::remove(home / "Docs/replaced.txt");
    writeFile(home / "Docs/replaced.txt", "someone else's");
    // A copy with the same size and time, as a volume whose inode numbers change would show it.
    const auto time = fs::last_write_time(home / "Docs/copied.txt");
    fs::rename(home / "Docs/copied.txt", home / "old");
    fs::copy_file(home / "old", home / "Docs/copied.txt");
    fs::last_write_time(home / "Docs/copied.txt", time);

    const UndoResult undone = mover.undoLast();
    EXPECT_EQ(undone.restored, 2);
    EXPECT_EQ(undone.failures,
              (std::vector<MoveFailure>{
                  {home / "Docs/replaced.txt", MoveFailure::Code::movedChanged, {}}}));
    EXPECT_EQ(readFile(home / "Downloads/edited.txt"), "edited.txt and more");
    EXPECT_EQ(readFile(home / "Downloads/copied.txt"), "copied.txt");
    EXPECT_EQ(readFile(home / "Docs/replaced.txt"), "someone else's");
    EXPECT_FALSE(fs::exists(home / "Downloads/replaced.txt"));
    EXPECT_EQ(undone.remaining, 1U);
}

TEST_F(FileMoverTest, AHistoryThatCannotBeWrittenIsReported) {
    // A folder at the history's path, and (with root) a full volume.
    struct Case {
        std::string what;
        fs::path file;
    };
    std::vector<Case> cases = {{"folder", home / "blocked/history.json"}};
    writeFile(home / "blocked/history.json/mine.txt", "kept");
    const auto full = test::ScratchVolume::mount(256U << 10U);
    if (full) {
        makeDir(*full / "support");
        full->fill();
        cases.push_back({"full volume", *full / "support/history.json"});
    }
    for (const auto& [what, file] : cases) {
        FileMover blocked(file);
        const ApplyResult result = blocked.apply(downloads({what + ".txt"}));
        EXPECT_EQ(result.batch.records.size(), 1U) << what;
        EXPECT_TRUE(result.historyStatus.writeError) << what;
        EXPECT_TRUE(blocked.history().empty()) << what;
    }
    EXPECT_EQ(readFile(home / "blocked/history.json/mine.txt"), "kept");
    if (!full) {
        GTEST_SKIP() << "a full volume needs root, to mount a small tmpfs";
    }
}

TEST_F(FileMoverTest, TheApplicationAndTheCommandLineShareOneHistory) {
    FileMover application(historyFile);
    FileMover commandLine(historyFile);
    const ApplyResult older = application.apply(downloads({"app.txt"}));
    const ApplyResult newer = commandLine.apply(downloads({"cli.txt"}));

    EXPECT_EQ(application.history(), (std::vector<Batch>{older.batch, newer.batch}));
    EXPECT_EQ(application.undoLast().restored, 1);
    EXPECT_EQ(readFile(home / "Downloads/cli.txt"), "cli.txt");
    EXPECT_EQ(readFile(home / "Docs/app.txt"), "app.txt");
    EXPECT_EQ(commandLine.history(), std::vector<Batch>{older.batch});

    // Writes from two threads at once, as from two processes: none is lost.
    auto tidyEight = [&](const std::string& who) {
        FileMover own(historyFile);
        for (int n = 0; n < 8; ++n) {
            (void)own.apply(downloads({who + std::to_string(n)}));
        }
    };
    std::thread other(tidyEight, "other");
    tidyEight("this");
    other.join();
    EXPECT_EQ(mover.history().size(), 17U);
}

TEST_F(FileMoverTest, AStopRequestEndsTheOperationBetweenFiles) {
    const auto moves = downloads({"1.txt", "2.txt", "3.txt"});
    std::stop_source stop;
    int started = 0;
    mover.setBeforeMove([&](const fs::path&) {
        if (++started == 2) {
            stop.request_stop(); // the second file still finishes
        }
    });
    const ApplyResult applied = mover.apply(moves, stop.get_token());
    EXPECT_EQ(applied.batch.records.size(), 2U);
    EXPECT_EQ(readFile(home / "Downloads/3.txt"), "3.txt");
    EXPECT_EQ(mover.history(), std::vector<Batch>{applied.batch});

    stop = {};
    started = 1;
    const UndoResult undone = mover.undoLast(stop.get_token());
    EXPECT_EQ(undone.restored, 1);
    EXPECT_EQ(undone.remaining, 1U);
    EXPECT_EQ(movesOf(mover.history()[0].records), movesOf({applied.batch.records[0]}));
}

TEST_F(FileMoverTest, HistoryCanBeReadWhileAWorkerThreadApplies) {
    std::vector<std::string> names;
    for (int n = 0; n < 40; ++n) {
        names.push_back(std::to_string(n) + ".txt");
    }
    std::atomic<bool> done = false;
    std::thread worker([&, moves = downloads(names)] {
        (void)mover.apply(moves);
        done = true;
    });
    std::size_t seen = 0;
    while (!done) {
        const std::vector<Batch> history = mover.history();
        ASSERT_LE(history.size(), 1U);
        const std::size_t now = history.empty() ? 0 : history[0].records.size();
        EXPECT_GE(now, seen);
        seen = now;
    }
    worker.join();
    EXPECT_EQ(mover.history().at(0).records.size(), 40U);
}

TEST_F(FileMoverTest, MovesGoOnlyWhereThePersonReviewed) {
    // The person's own Pictures, a link to another drive since long before the review.
    const fs::path drive = makeDir(home / "drive/Pictures");
    fs::create_symlink(drive, home / "Pictures");
    makeDir(home / "Docs/Invoices");
    makeDir(home / "Work/Reports");
    const Destination pictures = reviewed(Destination::folder(home / "Pictures/Holiday"));
    const Destination invoices = reviewed(Destination::folder(home / "Docs/Invoices"));
    const Destination reports = reviewed(Destination::folder(home / "Work/Reports"));
    // Since the review: a parent swapped for a link to elsewhere, a folder for another one.
    fs::rename(home / "Docs", home / "Docs.old");
    makeDir(home / "elsewhere/Invoices");
    fs::create_symlink(home / "elsewhere", home / "Docs");
    fs::rename(home / "Work/Reports", home / "Work/Reports.old");
    makeDir(home / "Work/Reports");

    const auto moves = downloads({"photo.jpg", "invoice.pdf", "report.pdf"});
    const ApplyResult result = mover.apply(
        {{moves[0].first, pictures}, {moves[1].first, invoices}, {moves[2].first, reports}});
    EXPECT_EQ(movesOf(result.batch.records),
              (Moves{{moves[0].first, home / "Pictures/Holiday/photo.jpg"}}));
    EXPECT_EQ(readFile(drive / "Holiday/photo.jpg"), "photo.jpg");
    const auto changed = MoveFailure::Code::destinationChanged;
    EXPECT_EQ(result.failures, (std::vector<MoveFailure>{{moves[1].first, changed, {}},
                                                         {moves[2].first, changed, {}}}));
    EXPECT_TRUE(fs::is_empty(home / "elsewhere/Invoices"));
    EXPECT_TRUE(fs::is_empty(home / "Work/Reports"));

    // Undo holds the folder the file was moved into to the same: a link there that is newer
    // than the tidy was not where the file went.
    fs::rename(home / "drive", home / "drive.new");
    fs::remove(home / "Pictures");
    fs::create_symlink(home / "drive.new/Pictures", home / "Pictures");
    const UndoResult undone = mover.undoLast();
    EXPECT_EQ(undone.failures,
              (std::vector<MoveFailure>{{home / "Pictures/Holiday/photo.jpg",
                                         MoveFailure::Code::folderChanged, {}}}));
    EXPECT_EQ(readFile(home / "drive.new/Pictures/Holiday/photo.jpg"), "photo.jpg");
    EXPECT_EQ(undone.remaining, 1U);
}

TEST_F(FileMoverTest, AFileWrittenToWhileCopiedAcrossVolumesStaysWholeAtItsSource) {
    const auto other = test::otherVolume(home.path());
    if (!other) {
        GTEST_SKIP() << "no second file system";
    }
    const Destination pictures = Destination::folder(*other / "Pictures");
    const fs::path stream = writeFile(home / "Downloads/stream.jpg", "first part");
    const fs::path next = writeFile(home / "Downloads/next.jpg", "next");
    // Once the stream's copy is made, and before its source would go, its writer adds more.
    mover.setBeforeMove([&](const fs::path& target) {
        if (target.filename() == "next.jpg") {
            std::ofstream(stream, std::ios::app) << ", second part";
        }
    });
    const ApplyResult result = mover.apply({{stream, pictures}, {next, pictures}});
    EXPECT_EQ(result.failures, (std::vector<MoveFailure>{
                                   {stream, MoveFailure::Code::stillBeingWritten, {}}}));
    EXPECT_EQ(readFile(stream), "first part, second part");
    EXPECT_FALSE(fs::exists(*other / "Pictures/stream.jpg"));
    EXPECT_EQ(movesOf(result.batch.records), (Moves{{next, *other / "Pictures/next.jpg"}}));

    // Once it is finished, the next tidy takes it whole.
    mover.setBeforeMove({});
    EXPECT_TRUE(mover.apply({{stream, pictures}}).failures.empty());
    EXPECT_EQ(readFile(*other / "Pictures/stream.jpg"), "first part, second part");
}

TEST_F(FileMoverTest, ARecordWithoutIdentityMovesOnlyAnEntryOfItsNameAndLength) {
    const std::string file = "file://" + home.path().string();
    // Written by hand: no identities, one length.
    writeFile(historyFile,
              R"([{"id":"0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B","date":1,"createdFolders":[],)"
              R"("records":[{"original":")" +
                  file + R"(/Downloads/a.txt","moved":")" + file +
                  R"(/Docs/a%202.txt"},{"original":")" + file + R"(/Downloads/b.txt","moved":")" +
                  file + R"(/Docs/passwords.txt"},{"original":")" + file +
                  R"(/Downloads/c.txt","moved":")" + file + R"(/Docs/c.txt","size":999}]}])");
    for (const char* name : {"a 2.txt", "passwords.txt", "c.txt"}) {
        writeFile(home / "Docs" / name, name);
    }
    const UndoResult undone = mover.undoLast();
    EXPECT_EQ(undone.restored, 1);
    EXPECT_EQ(readFile(home / "Downloads/a.txt"), "a 2.txt");
    const auto changed = MoveFailure::Code::movedChanged;
    EXPECT_EQ(undone.failures, (std::vector<MoveFailure>{{home / "Docs/c.txt", changed, {}},
                                                         {home / "Docs/passwords.txt", changed, {}}}));
    EXPECT_EQ(undone.remaining, 2U);
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
