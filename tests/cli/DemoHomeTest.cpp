#include "cli/DemoHome.h"

#include "core/placement/Organizer.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vesk {
namespace {

// These runs are about the layers before the model.
const ModelEndpoint modelOff{.url = "off", .model = ""};

namespace fs = std::filesystem;
using test::TempDir;
using ::testing::HasSubstr;

// Relative path -> contents of every entry below `dir` (folders map to "/").
std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const auto rel = fs::relative(entry.path(), dir).string();
        entries[rel] = entry.is_directory() ? "/" : test::readFile(entry.path());
    }
    return entries;
}

std::map<std::string, Suggestion> byName(const Plan& plan) {
    std::map<std::string, Suggestion> suggestions;
    for (const auto& suggestion : plan.suggestions) {
        suggestions.emplace(suggestion.item.name, suggestion);
    }
    return suggestions;
}

TEST(DemoHomeTest, RefusesAnythingButAMissingOrEmptyFolder) {
    TempDir temp;
    const auto occupied = test::writeFile(temp / "occupied/mine.txt", "keep me").parent_path();
    const auto file = test::writeFile(temp / "plain.txt", "keep me too");
    EXPECT_THAT(createDemoHome(occupied).value_or(""), HasSubstr("not empty"));
    EXPECT_THAT(createDemoHome(file).value_or(""), HasSubstr("not a folder"));
    EXPECT_EQ(snapshot(occupied).size(), 1u);
    EXPECT_EQ(test::readFile(file), "keep me too");

    EXPECT_EQ(createDemoHome(test::makeDir(temp / "empty")), std::nullopt);
    EXPECT_TRUE(fs::is_directory(temp / "empty/Downloads"));
}

TEST(DemoHomeTest, CreatesTheSameSmallHomeEveryTime) {
    TempDir temp;
    ASSERT_EQ(createDemoHome(temp / "nested/first"), std::nullopt);
    ASSERT_EQ(createDemoHome(temp / "second"), std::nullopt);
    const auto entries = snapshot(temp / "nested/first");
    EXPECT_EQ(entries, snapshot(temp / "second"));

    std::size_t bytes = 0;
    int visibleDownloads = 0;
    for (const auto& [path, contents] : entries) {
        bytes += contents.size();
        const fs::path entry(path);
        visibleDownloads +=
            entry.parent_path() == "Downloads" && entry.filename().c_str()[0] != '.';
    }
    EXPECT_LT(bytes, 1'000'000u);
    EXPECT_GE(visibleDownloads, 35);
    EXPECT_LE(visibleDownloads, 50);
}

// The demo exists to show every layer that works without the model; a change in the engine
// or in the demo that loses one of them fails here.
TEST(DemoHomeTest, ExercisesEveryLayerWithoutTheModelAndTheContentLayerWhenAllowed) {
    TempDir temp;
    ASSERT_EQ(createDemoHome(temp.path()), std::nullopt);
    OrganizerSettings settings(temp.path());
    settings.sources = {temp / "Downloads", temp / "Desktop"};
    settings.minAgeDays = 0;
    settings.useLLM = false;
    const Plan plan = Organizer(settings, modelOff).run();
    std::set<Layer> layers;
    for (const auto& suggestion : plan.suggestions) {
        layers.insert(suggestion.layer);
    }
    const auto suggestions = byName(plan);
    EXPECT_EQ(layers, (std::set<Layer>{Layer::skip, Layer::userFolder, Layer::rule, Layer::match,
                                       Layer::names, Layer::typeDefault, Layer::none}));
    EXPECT_FALSE(suggestions.contains(".DS_Store"));
    EXPECT_EQ(suggestions.at("weather-app-notes.md").action, Action::ask());
    EXPECT_EQ(suggestions.at("weather-app-notes.md").reason,
              (Reason{ReasonCode::codeProject, {"Documents/Work/weather-app"}}));

    EXPECT_EQ(suggestions.at("invoice-telenor-april (1).pdf").action, Action::trash());
    // The package of an application the demo's desktop entry installs, and an application.
    EXPECT_EQ(suggestions.at("sketchpad_126.0_amd64.deb").reason.code, ReasonCode::appInstalled);
    EXPECT_EQ(suggestions.at("Starchart-2.4.1-x86_64.AppImage").action, Action::toApplications());
    EXPECT_EQ(suggestions.at("scan_20240311.pdf").action, Action::ask());
    EXPECT_EQ(plan.contentReads, 0);

    // The scanned PDF's name says nothing; its text does.
    settings.allowContent = true;
    const Plan withContent = Organizer(settings, modelOff).run();
    const Suggestion scan = byName(withContent).at("scan_20240311.pdf");
    EXPECT_EQ(scan.layer, Layer::content);
    EXPECT_EQ(scan.action, Action::move("Documents/Insurance"));
    EXPECT_GE(withContent.contentReads, 1);
}

} // namespace
} // namespace vesk
