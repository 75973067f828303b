#include "core/moves/MoveHistory.h"
#include "core/moves/FileMover.h"

#include "core/util/Dates.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(MoveHistoryTest, WritesTheDocumentedFormatAndReadsItBack) {
    const Date modified = *fromReferenceSeconds(699999999.123456);
    const Batch batch{"0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B",
                      *fromReferenceSeconds(700000000.25),
                      {{"/home/a/Downloads/caf\xE9.pdf", "/home/a/Documents/caf\xE9.pdf",
                        FileIdentity{(std::uint64_t{1} << 63U) + 5, 42, 1000, modified, modified}},
                       {"/home/a/Downloads/old.txt", "/home/a/old.txt"}},
                      {"/home/a/Documents"}};
    const std::string json = encodeHistory({batch, batch});

    EXPECT_EQ(json.find('\n'), std::string::npos);
    const auto parsed = nlohmann::json::parse(json).at(1);
    EXPECT_EQ(parsed.at("id"), batch.id);
    EXPECT_DOUBLE_EQ(parsed.at("date").get<double>(), 700000000.25);
    EXPECT_EQ(parsed.at("records").at(0).at("original"), "file:///home/a/Downloads/caf%E9.pdf");
    EXPECT_EQ(parsed.at("createdFolders").at(0), "file:///home/a/Documents");

    const auto decoded = decodeHistory(json);
    ASSERT_TRUE(decoded && decoded->size() == 2u);
    EXPECT_EQ(decoded->at(1), batch);
}

TEST(MoveHistoryTest, ReadsLenientlyButRejectsAnythingIncomplete) {
    const auto decoded = decodeHistory(
        R"([{"id":"0f8e3c2a-1b4d-4e6f-8a9b-0c1d2e3f4a5b","date":1.5,"extra":true,)"
        R"("records":[{"original":"file:\/\/\/a\/b.txt","moved":"file:\/\/\/c\/b.txt"}],)"
        R"("createdFolders":[]}])");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->at(0).id, "0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B");
    EXPECT_EQ(decoded->at(0).records, (std::vector<MoveRecord>{{"/a/b.txt", "/c/b.txt"}}));

    const std::string head = R"([{"id":"0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B","date":)";
    const std::string record = R"({"original":"file:///a","moved":"file:///b"})";
    for (const std::string& json : {
             head + R"(1,"records":[]}])",                                             // no folders
             head + R"(1,"records":[{"original":"file:///a"}],"createdFolders":[]}])", // no moved
             head + R"("1","records":[],"createdFolders":[]}])",   // a string date
             head + R"(1e300,"records":[],"createdFolders":[]}])", // no date a clock reaches
             std::string(R"([{"id":"nope","date":1,"records":[],"createdFolders":[]}])"),
             head + "1,\"records\":[" + record + R"(],"createdFolders":["http://x/"]}])",
             head + R"(1,"records":[)", // cut short
         }) {
        EXPECT_FALSE(decodeHistory(json)) << json;
    }
}

TEST(MoveHistoryTest, AnUnreadableFileIsKeptAsideOnceBeforeANewOneIsWritten) {
    TempDir dir;
    const std::string head = R"([{"id":"0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B","date":)";
    for (const std::string& unreadable : {std::string("[{\"id\":"),     // cut short
                                          head + R"(1,"records":[]}])", // a key missing
                                          head + R"(1,"records":[],"createdFolders":[]},)" +
                                              R"({"id":"x"}])"}) { // one batch of two invalid
        TempDir home;
        const fs::path file = writeFile(home / "history.json", unreadable);
        FileMover mover(file);
        EXPECT_TRUE(mover.history().empty());
        EXPECT_EQ(mover.undoLast().restored, 0);
        EXPECT_EQ(readFile(file), unreadable);

        const auto moved = [&](const char* name) {
            return mover.apply({{writeFile(home / name), Destination::folder(home / "Docs")}});
        };
        const ApplyResult first = moved("a.txt");
        ASSERT_TRUE(first.historyStatus.setAside) << unreadable;
        EXPECT_TRUE(
            first.historyStatus.setAside->filename().string().starts_with("history.json.corrupt-"));
        EXPECT_EQ(readFile(*first.historyStatus.setAside), unreadable);
        EXPECT_EQ(readHistory(file), std::vector<Batch>{first.batch});
        // Said once: the next tidy finds a readable history.
        EXPECT_EQ(moved("b.txt").historyStatus, HistoryStatus{});
        EXPECT_EQ(readHistory(file).size(), 2U);
    }
}

} // namespace
} // namespace vesk
