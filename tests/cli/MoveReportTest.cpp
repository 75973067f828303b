#include "cli/MoveReport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using Json = nlohmann::json;

ApplyResult tidied() {
    ApplyResult result;
    result.batch.id = "0F8E3C2A-1B4D-4E6F-8A9B-0C1D2E3F4A5B";
    result.batch.records = {{"/h/Downloads/x\xe9.jpg", "/h/Pictures/x\xe9.jpg"},
                            {"/h/Downloads/x\xe8.jpg", "/h/Pictures/x\xe8.jpg"},
                            {"/h/Downloads/new\nline.txt", "/h/Docs/new\nline.txt"}};
    result.inPlace = {"/h/Pictures/photo.jpg"};
    return result;
}

TEST(MoveReport, TextEscapesNamesAndSaysWhetherUndoIsPossible) {
    ApplyResult result = tidied();
    const std::string text = applyText(result);
    EXPECT_THAT(text,
                HasSubstr("moved   /h/Downloads/new\\nline.txt\n     →  /h/Docs/new\\nline.txt\n"));
    EXPECT_THAT(text, HasSubstr("moved   /h/Downloads/x\\xe9.jpg\n"));
    EXPECT_THAT(text,
                HasSubstr("kept    /h/Pictures/photo.jpg: already in its destination folder\n"));
    EXPECT_THAT(text, HasSubstr("Moved 3 files. Undo with: vesk-cli undo\n"));

    result.historyStatus = {"No space left on device", "/s/history.json.corrupt-20240501-100000"};
    const std::string failed = applyText(result);
    EXPECT_THAT(failed, HasSubstr("The history of earlier tidies could not be read; it was kept as "
                                  "/s/history.json.corrupt-20240501-100000.\n"));
    EXPECT_THAT(failed, HasSubstr("Moved 3 files. The history could not be written (No space left "
                                  "on device), so this tidy cannot be undone.\n"));
    EXPECT_THAT(failed, Not(HasSubstr("Undo with")));

    UndoResult undone{2,
                      {{"/h/Docs/a.txt", MoveFailure::Code::system, "Permission denied"},
                       {"/h/Docs/b.txt", MoveFailure::Code::movedMissing, {}}},
                      {},
                      1,
                      {}};
    undone.renamed = {{"/h/Downloads/b.txt", "/h/Downloads/b 2.txt"}};
    EXPECT_EQ(undoText(undone), "renamed /h/Downloads/b.txt was taken; it came back as b 2.txt\n"
                                "failed  /h/Docs/a.txt: Permission denied\n"
                                "failed  /h/Docs/b.txt: The moved file can't be found\n"
                                "Restored 2 files, 2 could not be restored.\n"
                                "1 file stays in the history; vesk-cli undo tries it again.\n");
}

TEST(MoveReport, JsonKeepsNamesThatAreNotUtf8Apart) {
    ApplyResult result = tidied();
    result.historyStatus.writeError = "Is a directory";
    result.failures = {{"/h/Downloads/gone.pdf", MoveFailure::Code::sourceMissing, {}}};
    const Json json = Json::parse(applyJson(result));
    EXPECT_EQ(json["failures"][0]["code"], "sourceMissing");
    EXPECT_EQ(json["failures"][0]["message"], "The file is no longer where it was");
    const Json& moved = json["moved"];
    // Both read the same as text; their bytes tell them apart.
    EXPECT_EQ(moved[0]["original"], moved[1]["original"]);
    EXPECT_EQ(moved[0]["originalBytes"], "/h/Downloads/x%E9.jpg");
    EXPECT_EQ(moved[1]["originalBytes"], "/h/Downloads/x%E8.jpg");
    EXPECT_EQ(moved[1]["movedBytes"], "/h/Pictures/x%E8.jpg");
    EXPECT_FALSE(moved[2].contains("originalBytes"));
    EXPECT_EQ(moved[2]["original"], "/h/Downloads/new\nline.txt");
    EXPECT_EQ(json["inPlace"][0]["file"], "/h/Pictures/photo.jpg");
    EXPECT_EQ(json["historyError"], "Is a directory");
    EXPECT_EQ(json["historySetAside"], nullptr);

    const Json history = Json::parse(historyJson({result.batch}));
    EXPECT_EQ(history[0]["records"][0]["movedBytes"], "/h/Pictures/x%E9.jpg");
}

} // namespace
} // namespace vesk
