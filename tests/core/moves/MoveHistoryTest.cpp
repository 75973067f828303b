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
    const Batch batch{"0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B",
                      fromReferenceSeconds(700000000.25),
                      {{"/home/a/Downloads/caf\xE9.pdf", "/home/a/Documents/caf\xE9.pdf"}},
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
    EXPECT_EQ(decoded->at(1).records, batch.records);
    EXPECT_EQ(decoded->at(1).createdFolders, batch.createdFolders);
    EXPECT_NEAR(toReferenceSeconds(decoded->at(1).date), 700000000.25, 1e-6);
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
             head + R"("1","records":[],"createdFolders":[]}])", // a string date
             std::string(R"([{"id":"nope","date":1,"records":[],"createdFolders":[]}])"),
             head + "1,\"records\":[" + record + R"(],"createdFolders":["http://x/"]}])",
             head + R"(1,"records":[)", // cut short
         }) {
        EXPECT_FALSE(decodeHistory(json)) << json;
    }
}

TEST(MoveHistoryTest, AnUnreadableFileLoadsEmptyAndStaysUntilTheNextSave) {
    TempDir dir;
    EXPECT_TRUE(loadHistory(dir / "missing.json").empty());
    const std::string keyMissing =
        R"([{"id":"0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B","date":1,"records":[]}])";
    for (const std::string& unreadable : {std::string("[{\"id\":"), keyMissing}) {
        const fs::path file = writeFile(dir / "history.json", unreadable);
        FileMover mover(file);
        EXPECT_TRUE(mover.history().empty());
        EXPECT_EQ(mover.undoLast().restored, 0);
        EXPECT_EQ(readFile(file), unreadable);

        const fs::path moved = writeFile(dir / "a.txt");
        (void)mover.apply({{moved, Destination::folder(dir / "Docs")}});
        const std::vector<Batch> saved = loadHistory(file);
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_EQ(saved[0].id, mover.history()[0].id);
    }
}

} // namespace
} // namespace vesk
