#include "cli/PlanReport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace vesk {
namespace {

Suggestion suggestion(const std::string& name, Action action, Layer layer, Reason reason) {
    FileItem item;
    item.path = "/h/Downloads/" + name;
    item.name = name;
    item.kind = Kind::pdf;
    return {item, std::move(action), layer, {}, {}, std::move(reason)};
}

Plan samplePlan() {
    Plan plan;
    plan.targets = std::vector{Target{"/h/Documents/Bills", "Documents/Bills", false, {}, {}}};
    auto bill = suggestion("bill.pdf", Action::move("Documents/Bills"), Layer::match,
                           {ReasonCode::likeFile, {"a", "0.70"}});
    bill.target = 0;
    bill.score = 0.7;
    plan.suggestions = {
        suggestion("a.png", Action::move("Pictures/Screenshots"), Layer::rule,
                   {ReasonCode::screenshot, {}}),
        bill,
        suggestion("b.pdf", Action::move("Documents/Bills"), Layer::match,
                   {ReasonCode::likeFile, {"b", "0.80"}}),
        suggestion("old.dmg", Action::trash(), Layer::rule, {ReasonCode::oldInstaller, {"40"}}),
        suggestion("x.bin", Action::ask(), Layer::none, {ReasonCode::notSimilar, {}}),
        suggestion("new.pdf", Action::keep(), Layer::skip, {ReasonCode::tooNew, {"1.0"}}),
        suggestion("Old stuff", Action::keep(), Layer::userFolder, {ReasonCode::folder, {}}),
        suggestion("o.AppImage", Action::toApplications(), Layer::rule,
                   {ReasonCode::application, {}}),
        suggestion("k.AppImage", Action::move("Applications"), Layer::match,
                   {ReasonCode::likeFile, {"c", "0.90"}}),
    };
    plan.llmUnavailable = ModelUnavailable::turnedOff;
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
        const char* layerKey;
        const char* reasonCode;
    } rows[] = {{0, "move", "Pictures/Screenshots", "rule", "screenshot"},
                {1, "move", "Documents/Bills", "match", "likeFile"},
                {3, "trash", nullptr, "rule", "oldInstaller"},
                {4, "ask", nullptr, "none", "notSimilar"},
                {5, "keep", nullptr, "skip", "tooNew"},
                {7, "toApplications", "Applications", "rule", "application"}};
    for (const auto& row : rows) {
        const auto& entry = json["suggestions"][row.index];
        EXPECT_EQ(entry["action"], row.action) << row.index;
        EXPECT_EQ(entry["destination"], row.destination) << row.index;
        EXPECT_EQ(entry["layerKey"], row.layerKey) << row.index;
        EXPECT_EQ(entry["reasonCode"], row.reasonCode) << row.index;
    }
    // Without a translation installed, the English wording.
    EXPECT_EQ(json["suggestions"][1]["layer"], "② Similarity");
    EXPECT_EQ(json["suggestions"][1]["reason"], "Like “a” · 0.70");
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
              "  o.AppImage\n      An app left in a downloads folder  [① Rules]\n"
              "  k.AppImage\n      Like “c” · 0.90  [② Similarity]\n\n"
              "Documents/Bills (2)\n"
              "  bill.pdf\n      Like “a” · 0.70  [② Similarity]\n"
              "  b.pdf\n      Like “b” · 0.80  [② Similarity]\n\n"
              "Pictures/Screenshots (1)\n"
              "  a.png\n      Screenshot  [① Rules]\n\n"
              "Trash (1)\n"
              "  old.dmg\n      Old installer (40 days)  [① Rules]\n\n"
              "Needs your decision (1)\n"
              "  x.bin\n      No folder is similar enough  [—]\n\n"
              "Left alone: 1 too new or still downloading, 1 folders\n"
              "Local model: The local model is turned off\n");
    EXPECT_EQ(planText(Plan{}, "/h"), "Nothing is waiting in the source folders.\n");
}

TEST(PlanReport, NamesAreEscapedForPeopleAndKeptApartInJson) {
    Plan plan;
    plan.suggestions = {
        suggestion("x\xe9.pdf", Action::ask(), Layer::none, {ReasonCode::notSimilar, {}}),
        suggestion("x\xe8.pdf", Action::ask(), Layer::none, {ReasonCode::notSimilar, {}}),
        // A name that would forge a line, within the reason too.
        suggestion("fake\n  bill.pdf", Action::trash(), Layer::rule,
                   {ReasonCode::duplicate, {"fake\n  bill.pdf"}}),
        suggestion("photo.jpg", Action::keep(), Layer::skip, {ReasonCode::inPlace, {}}),
    };
    const auto json = nlohmann::json::parse(planJson(plan));
    const auto& suggestions = json["suggestions"];
    EXPECT_EQ(suggestions[0]["file"], suggestions[1]["file"]);
    EXPECT_EQ(suggestions[0]["fileBytes"], "/h/Downloads/x%E9.pdf");
    EXPECT_EQ(suggestions[1]["fileBytes"], "/h/Downloads/x%E8.pdf");
    EXPECT_FALSE(suggestions[2].contains("fileBytes"));

    EXPECT_EQ(planText(plan, "/h"),
              "Trash (1)\n"
              "  fake\\n  bill.pdf\n"
              "      Duplicate download (same name and size: fake\\n  bill.pdf)  [① Rules]\n\n"
              "Needs your decision (2)\n"
              "  x\\xe9.pdf\n      No folder is similar enough  [—]\n"
              "  x\\xe8.pdf\n      No folder is similar enough  [—]\n\n"
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
