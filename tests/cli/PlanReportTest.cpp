#include "cli/PlanReport.h"

#include "core/placement/Organizer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

Suggestion suggestion(const std::string& name, Action action, Layer layer,
                      const std::string& reason) {
    FileItem item;
    item.path = "/h/Downloads/" + name;
    item.name = name;
    item.kind = Kind::pdf;
    return {item, std::move(action), layer, {}, {}, reason};
}

Plan samplePlan() {
    Plan plan;
    plan.targets = {Target{"/h/Documents/Bills", "Documents/Bills", false, {}, {}}};
    auto bill =
        suggestion("bill.pdf", Action::move("Documents/Bills"), Layer::match, "像 “a” · 0.70");
    bill.target = 0;
    bill.score = 0.7;
    plan.suggestions = {
        suggestion("a.png", Action::move("Pictures/Screenshots"), Layer::rule, "截图"),
        bill,
        suggestion("b.pdf", Action::move("Documents/Bills"), Layer::match, "像 “b” · 0.80"),
        suggestion("old.dmg", Action::trash(), Layer::rule, "旧安装包（40 天）"),
        suggestion("x.bin", Action::ask(), Layer::none, "没有足够相似的文件夹"),
        suggestion("new.pdf", Action::keep(), Layer::skip, "太新（1.0 天），暂不处理"),
        suggestion("Old stuff", Action::keep(), Layer::userFolder, "文件夹，默认保持原样"),
        suggestion("o.AppImage", Action::toApplications(), Layer::rule, "应用程序"),
        suggestion("k.AppImage", Action::move("Applications"), Layer::match, "像 “c” · 0.90"),
    };
    plan.llmUnavailable = "The local model is turned off";
    plan.isFinal = true;
    return plan;
}

TEST(PlanReport, JsonNamesEveryFieldOfEverySuggestion) {
    const auto json = nlohmann::json::parse(planJson(samplePlan()));
    EXPECT_EQ(json["targets"], nlohmann::json::array({"Documents/Bills"}));
    ASSERT_EQ(json["suggestions"].size(), 9U);
    const struct {
        std::size_t index;
        const char* action;
        nlohmann::json destination;
        const char* layer;
    } rows[] = {{0, "move", "Pictures/Screenshots", "① 规则"},
                {1, "move", "Documents/Bills", "② 相似度"},
                {3, "trash", nullptr, "① 规则"},
                {4, "ask", nullptr, "—"},
                {5, "keep", nullptr, "跳过"},
                {7, "toApplications", "Applications", "① 规则"}};
    for (const auto& row : rows) {
        const auto& entry = json["suggestions"][row.index];
        EXPECT_EQ(entry["action"], row.action) << row.index;
        EXPECT_EQ(entry["destination"], row.destination) << row.index;
        EXPECT_EQ(entry["layer"], row.layer) << row.index;
    }
    EXPECT_EQ(json["suggestions"][1]["target"], 0);
    EXPECT_EQ(json["suggestions"][1]["score"], 0.7);
    EXPECT_EQ(json["suggestions"][0]["target"], nullptr);
    EXPECT_EQ(json["suggestions"][0]["file"], "/h/Downloads/a.png");
    EXPECT_EQ(json["suggestions"][0]["kind"], "pdf");
    EXPECT_EQ(json["llmUnavailable"], "The local model is turned off");
    for (const char* counter : {"profiledFolders", "llmCalls", "llmFailures", "llmSeconds",
                                "contentReads", "qaApproved", "qaRejected", "qaFailed"}) {
        EXPECT_EQ(json[counter], 0) << counter;
    }
}

TEST(PlanReport, TextGroupsLikeTheReviewWindow) {
    // An application and a move into the applications folder go to one folder.
    EXPECT_EQ(planText(samplePlan(), "/h"),
              "Applications (2)\n"
              "  o.AppImage\n      应用程序  [① 规则]\n"
              "  k.AppImage\n      像 “c” · 0.90  [② 相似度]\n\n"
              "Documents/Bills (2)\n"
              "  bill.pdf\n      像 “a” · 0.70  [② 相似度]\n"
              "  b.pdf\n      像 “b” · 0.80  [② 相似度]\n\n"
              "Pictures/Screenshots (1)\n"
              "  a.png\n      截图  [① 规则]\n\n"
              "Trash (1)\n"
              "  old.dmg\n      旧安装包（40 天）  [① 规则]\n\n"
              "Needs your decision (1)\n"
              "  x.bin\n      没有足够相似的文件夹  [—]\n\n"
              "Left alone: 1 too new or still downloading, 1 folders\n"
              "Local model: The local model is turned off\n");
    EXPECT_EQ(planText(Plan{}, "/h"), "Nothing is waiting in the source folders.\n");
}

TEST(PlanReport, NamesAreEscapedForPeopleAndKeptApartInJson) {
    Plan plan;
    plan.suggestions = {
        suggestion("x\xe9.pdf", Action::ask(), Layer::none, "没有足够相似的文件夹"),
        suggestion("x\xe8.pdf", Action::ask(), Layer::none, "没有足够相似的文件夹"),
        suggestion("fake\n  bill.pdf", Action::move("Documents/Bills"), Layer::rule, "规则"),
        suggestion("photo.jpg", Action::keep(), Layer::skip, std::string(Organizer::inPlaceReason)),
    };
    const auto json = nlohmann::json::parse(planJson(plan));
    const auto& suggestions = json["suggestions"];
    EXPECT_EQ(suggestions[0]["file"], suggestions[1]["file"]);
    EXPECT_EQ(suggestions[0]["fileBytes"], "/h/Downloads/x%E9.pdf");
    EXPECT_EQ(suggestions[1]["fileBytes"], "/h/Downloads/x%E8.pdf");
    EXPECT_FALSE(suggestions[2].contains("fileBytes"));

    EXPECT_EQ(planText(plan, "/h"),
              "Documents/Bills (1)\n"
              "  fake\\n  bill.pdf\n      规则  [① 规则]\n\n"
              "Needs your decision (2)\n"
              "  x\\xe9.pdf\n      没有足够相似的文件夹  [—]\n"
              "  x\\xe8.pdf\n      没有足够相似的文件夹  [—]\n\n"
              "Left alone: 0 too new or still downloading, 0 folders, 1 already "
              "where they belong\n");
}

TEST(PlanReport, ProgressLineCountsWhatTheScanHasReadAndCompared) {
    using Stage = OrganizerProgress::Stage;
    const struct {
        OrganizerProgress progress;
        const char* line;
    } rows[] = {
        {{Stage::scanning}, "Scanning…"},
        {{Stage::scanning, 0, 0, 64, 0}, "Scanning… 64 waiting files"},
        {{Stage::scanning, 0, 0, 1, 1}, "Scanning… 1 waiting file, 1 folder"},
        {{Stage::scanning, 0, 0, 0, 32}, "Scanning… 0 waiting files, 32 folders"},
        {{Stage::comparing, 0, 200}, "Comparing names 1 of 200"},
        {{Stage::comparing, 192, 200}, "Comparing names 193 of 200"},
        {{Stage::understandingFolders}, "Asking the local model…"},
        {{Stage::understandingFolders, 0, 124}, "Asking the local model… 0 of 124"},
        {{Stage::placing, 120, 389}, "Asking the local model… 120 of 389"},
        {{Stage::reviewing, 698, 698}, "Asking the local model… 698 of 698"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(progressLine(row.progress), row.line);
    }
}

} // namespace
} // namespace vesk
