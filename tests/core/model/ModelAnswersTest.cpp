#include "core/model/ModelAnswers.h"
#include "core/model/ProfileCache.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace vesk {
namespace {

using Asked = ModelAnswers::Asked;

class ModelAnswersTest : public ::testing::Test {
protected:
    // A waiting file that exists, so that its answers are kept.
    FileItem waiting(const std::string& name) const {
        FileItem item;
        item.path = test::writeFile(dir / "Downloads" / name);
        item.name = name;
        item.size = 1;
        item.added = Date{} + std::chrono::seconds(700'000'000);
        return item;
    }

    test::TempDir dir;
    const std::filesystem::path file = dir / "support/model-answers.json";
    // Latin-1 names: what is kept must still tell them apart byte for byte.
    std::vector<Target> targets{{dir / "Docs", "Docs", false, {"a.pdf"}, {}},
                                {dir / "Caf\xE9", "Caf\xE9", false, {"r\xE9sum\xE9.pdf"}, {}},
                                {dir / "Caf%E9", "Caf%E9", false, {"b.pdf"}, {}}};
    const ModelAnswers::Folders offered{targets, folderSignatures(targets)};
};

TEST_F(ModelAnswersTest, AnAnswerServesOnlyItsOwnQuestionAcrossRestarts) {
    const auto item = waiting("r\xE9sum\xE9 2024.pdf");
    const auto placing = ModelAnswers::placing(item, {0, 1, 2}, offered);
    const auto reviewing = ModelAnswers::reviewing(item, 1, {0, 2, 1}, offered);
    const Placement placed{1, "high", "A CV"};
    const auto vetoed = Verdict::rejected("something else", "A CV");
    ModelAnswers(file).update({{placing, placed}, {reviewing, vetoed}}, {item}, targets);

    ModelAnswers restarted(file);
    // The same folders offered in another order are the same question.
    EXPECT_EQ(
        restarted.placement(ModelAnswers::placing(item, {2, 1, 0}, offered), {2, 1, 0}, targets),
        placed);
    EXPECT_EQ(restarted.verdict(reviewing), vetoed);
    // Other folders offered, another folder under review, or the file under another key.
    EXPECT_FALSE(
        restarted.placement(ModelAnswers::placing(item, {0, 1}, offered), {0, 1}, targets));
    EXPECT_FALSE(restarted.verdict(ModelAnswers::reviewing(item, 2, {0, 1}, offered)));
    auto written = item;
    written.size = 2;
    EXPECT_FALSE(restarted.placement(ModelAnswers::placing(written, {0, 1, 2}, offered), {0, 1, 2},
                                     targets));
    // A folder whose files changed.
    auto changed = targets;
    changed[2].siblingNames.push_back("c.pdf");
    const ModelAnswers::Folders changedOffered(changed, folderSignatures(changed));
    EXPECT_FALSE(
        restarted.placement(ModelAnswers::placing(item, {0, 1, 2}, changedOffered), {0, 1, 2}, changed));
    EXPECT_EQ(restarted.verdict(ModelAnswers::reviewing(item, 1, {0}, changedOffered)), std::nullopt);

    // Asked again and failed: the answer for the old folders is gone, and no failure is kept.
    restarted.update({{ModelAnswers::placing(item, {0, 1, 2}, changedOffered), std::nullopt},
                      {reviewing, Verdict::failed()}},
                     {item}, changed);
    ModelAnswers again(file);
    EXPECT_FALSE(again.placement(placing, {0, 1, 2}, targets));
    EXPECT_FALSE(again.verdict(reviewing));
}

TEST_F(ModelAnswersTest, ARejectionKeptWithoutItsCategoryIsAskedAgainAlone) {
    const auto item = waiting("menu.pdf");
    const auto placing = ModelAnswers::placing(item, {0}, offered);
    const auto reviewing = ModelAnswers::reviewing(item, 0, {1}, offered);
    ModelAnswers(file).update({{placing, Placement{0, "high", "A menu"}},
                               {reviewing, Verdict::rejected("something else", "A menu")}},
                              {item}, targets);
    // As rejections were kept before: the category within the text.
    auto stored = nlohmann::json::parse(test::readFile(file));
    for (auto& record : stored) {
        if (record["answer"].contains("category")) {
            record["answer"].erase("category");
            record["answer"]["text"] = "something else\uFF1AA menu";
        }
    }
    test::writeFile(file, stored.dump());

    ModelAnswers restarted(file);
    EXPECT_FALSE(restarted.verdict(reviewing));
    EXPECT_EQ(restarted.placement(placing, {0}, targets), (Placement{0, "high", "A menu"}));
}

TEST_F(ModelAnswersTest, KeepsTheNewestAnswersOfFilesThatAreStillThere) {
    const auto gone = waiting("gone.pdf");
    const auto kept = waiting("kept.pdf");
    const auto touched = waiting("touched.pdf");
    const Placement none{std::nullopt, "high", "Nothing of yours"};
    const auto ask = [&](const FileItem& item) -> Asked {
        return {ModelAnswers::placing(item, {0}, offered), none};
    };
    ModelAnswers answers(file, 3);
    answers.update({ask(gone), ask(kept), ask(touched)}, {gone, kept, touched}, targets);
    std::filesystem::remove(gone.path);
    auto rewritten = touched;
    rewritten.size = 5;

    // The answers of a file that is gone or was written since are dropped.
    const auto newer = waiting("newer.pdf");
    answers.update({ask(newer)}, {kept, rewritten, newer}, targets);
    EXPECT_EQ(nlohmann::json::parse(test::readFile(file)).size(), 2U);
    ModelAnswers restarted(file, 3);
    EXPECT_FALSE(restarted.placement(ask(gone).question, {0}, targets));
    EXPECT_FALSE(restarted.placement(ask(touched).question, {0}, targets));
    EXPECT_EQ(restarted.placement(ask(kept).question, {0}, targets), none);

    // Beyond the limit the oldest answers make room.
    const auto newest = waiting("newest.pdf");
    restarted.update({ask(rewritten), ask(newest)}, {kept, rewritten, newer, newest}, targets);
    ModelAnswers full(file);
    EXPECT_FALSE(full.placement(ask(kept).question, {0}, targets));
    for (const auto& item : {rewritten, newer, newest}) {
        EXPECT_EQ(full.placement(ask(item).question, {0}, targets), none) << item.name;
    }
}

TEST_F(ModelAnswersTest, AnUnreadableFileCountsAsEmptyAndAFolderInItsPlaceStays) {
    const auto item = waiting("a.pdf");
    const Asked asked{ModelAnswers::placing(item, {0}, offered), Placement{0, "high", "A"}};
    for (const char* damaged : {"[{\"file\":\"file:///x\"}]", "[", "{}", "[1]"}) {
        test::writeFile(file, damaged);
        ModelAnswers answers(file);
        EXPECT_FALSE(answers.placement(asked.question, {0}, targets)) << damaged;
        answers.update({asked}, {item}, targets);
        EXPECT_TRUE(ModelAnswers(file).placement(asked.question, {0}, targets)) << damaged;
    }

    const auto folder = dir / "taken/model-answers.json";
    test::writeFile(folder / "kept.txt");
    ModelAnswers answers(folder);
    answers.update({asked}, {item}, targets);
    EXPECT_EQ(answers.placement(asked.question, {0}, targets), (Placement{0, "high", "A"}));
    EXPECT_EQ(test::readFile(folder / "kept.txt"), "x");
}

} // namespace
} // namespace vesk
