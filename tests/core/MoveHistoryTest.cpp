#include "core/MoveHistory.h"

#include "core/Dates.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

Batch sampleBatch() {
    return {"0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B",
            fromReferenceSeconds(700000000.25),
            {{"/home/a/Downloads/caf\xE9.pdf", "/home/a/Documents/caf\xE9.pdf"}},
            {"/home/a/Documents"}};
}

TEST(MoveHistoryTest, WritesTheDocumentedFormat) {
    const std::string json = encodeHistory({sampleBatch()});

    EXPECT_EQ(json.find('\n'), std::string::npos);
    const auto parsed = nlohmann::json::parse(json);
    ASSERT_TRUE(parsed.is_array());
    const auto& batch = parsed.at(0);
    EXPECT_EQ(batch.at("id"), "0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B");
    EXPECT_DOUBLE_EQ(batch.at("date").get<double>(), 700000000.25);
    EXPECT_EQ(batch.at("records").at(0).at("original"), "file:///home/a/Downloads/caf%E9.pdf");
    EXPECT_EQ(batch.at("createdFolders").at(0), "file:///home/a/Documents");
}

TEST(MoveHistoryTest, ReadsBackWhatItWrote) {
    const std::vector<Batch> history{sampleBatch(), sampleBatch()};
    const auto decoded = decodeHistory(encodeHistory(history));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 2u);
    EXPECT_EQ((*decoded)[1].records, history[1].records);
    EXPECT_EQ((*decoded)[1].createdFolders, history[1].createdFolders);
    EXPECT_NEAR(toReferenceSeconds((*decoded)[1].date), 700000000.25, 1e-6);
}

TEST(MoveHistoryTest, ReadsEscapedSlashesAndLowerCaseIdsAndIgnoresExtraKeys) {
    const auto decoded = decodeHistory(
        R"([{"id":"0f8e3c2a-1b4d-4e6f-8a9b-0c1d2e3f4a5b","date":1.5,"extra":true,)"
        R"("records":[{"original":"file:\/\/\/a\/b.txt","moved":"file:\/\/\/c\/b.txt"}],)"
        R"("createdFolders":[]}])");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->at(0).id, "0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B");
    EXPECT_EQ(decoded->at(0).records, (std::vector<MoveRecord>{{"/a/b.txt", "/c/b.txt"}}));
}

TEST(MoveHistoryTest, RejectsAnythingIncomplete) {
    const std::string id = R"("id":"0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B")";
    const std::string record = R"({"original":"file:///a","moved":"file:///b"})";
    for (const std::string& json :
         {std::string("[{") + id + R"(,"date":1,"records":[]}])", // no folders
          std::string("[{") + id +
              R"(,"date":1,"records":[{"original":"file:///a"}],)"
              R"("createdFolders":[]}])",                                               // no moved
          std::string("[{") + id + R"(,"date":"1","records":[],"createdFolders":[]}])", // type
          std::string(R"([{"id":"nope","date":1,"records":[],"createdFolders":[]}])"),
          std::string("[{") + id + R"(,"date":1,"records":[)" + record +
              R"(],"createdFolders":["http://x/"]}])",
          std::string("[{") + id + R"(,"date":1,"records":[)"}) {
        EXPECT_FALSE(decodeHistory(json)) << json;
    }
}

TEST(MoveHistoryTest, AnUnreadableFileLoadsEmptyAndStaysUntilTheNextSave) {
    TempDir dir;
    const std::string corrupt = R"([{"id":1}])";
    const fs::path file = writeFile(dir / "history.json", corrupt);
    EXPECT_TRUE(loadHistory(dir / "missing.json").empty());

    FileMover mover(file);
    EXPECT_TRUE(mover.history().empty());
    EXPECT_EQ(mover.undoLast().restored, 0);
    EXPECT_EQ(readFile(file), corrupt);

    const fs::path moved = writeFile(dir / "a.txt");
    (void)mover.apply({{moved, Destination::folder(dir / "Docs")}});
    const std::vector<Batch> saved = loadHistory(file);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].id, mover.history()[0].id);
}

} // namespace
} // namespace vesk
