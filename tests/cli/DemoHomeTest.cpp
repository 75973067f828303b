#include "cli/DemoHome.h"

#include "core/Organizer.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vesk {
namespace {

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

Plan planFor(const fs::path& home, bool allowContent) {
    OrganizerSettings settings(home);
    settings.sources = {home / "Downloads", home / "Desktop"};
    settings.minAgeDays = 0;
    settings.useLLM = false;
    settings.allowContent = allowContent;
    return Organizer(settings).run();
}

const Suggestion* suggestionFor(const Plan& plan, const std::string& name) {
    for (const auto& suggestion : plan.suggestions) {
        if (suggestion.item.name == name) {
            return &suggestion;
        }
    }
    return nullptr;
}

TEST(DemoHomeTest, RefusesAnythingButAMissingOrEmptyFolder) {
    TempDir temp;
    const auto occupied = test::writeFile(temp / "occupied/mine.txt", "keep me").parent_path();
    const auto file = test::writeFile(temp / "plain.txt", "keep me too");

    EXPECT_THAT(createDemoHome(occupied).value_or(""), HasSubstr("not empty"));
    EXPECT_THAT(createDemoHome(file).value_or(""), HasSubstr("not a folder"));
    EXPECT_EQ(snapshot(occupied).size(), 1u);
    EXPECT_EQ(test::readFile(file), "keep me too");

    const auto empty = test::makeDir(temp / "empty");
    EXPECT_EQ(createDemoHome(empty), std::nullopt);
    EXPECT_TRUE(fs::is_directory(empty / "Downloads"));
}

TEST(DemoHomeTest, CreatesTheSameSmallHomeEveryTime) {
    TempDir temp;
    const auto first = temp / "nested/first";
    ASSERT_EQ(createDemoHome(first), std::nullopt);
    ASSERT_EQ(createDemoHome(temp / "second"), std::nullopt);

    const auto entries = snapshot(first);
    EXPECT_EQ(entries, snapshot(temp / "second"));

    std::size_t bytes = 0;
    for (const auto& [path, contents] : entries) {
        bytes += contents.size();
    }
    EXPECT_LT(bytes, 1'000'000u);

    for (const char* folder : {"Documents/Finance/Invoices/2024", "Documents/Travel/Japan 2023",
                               "Documents/Work/weather-app/.git", "Pictures/Trips/Rome", "Music",
                               "Movies", "Desktop", "Applications/Sketchpad.app",
                               "Downloads/photos", "Downloads/Old stuff"}) {
        EXPECT_TRUE(fs::is_directory(first / folder)) << folder;
    }
    EXPECT_EQ(entries.at("Downloads/invoice-telenor-april.pdf"),
              entries.at("Downloads/invoice-telenor-april (1).pdf"));
    EXPECT_TRUE(entries.at("Downloads/scan_20240311.pdf").starts_with("%PDF-1.4"));

    int visibleDownloads = 0;
    for (const auto& entry : fs::directory_iterator(first / "Downloads")) {
        visibleDownloads += entry.path().filename().string().starts_with(".") ? 0 : 1;
    }
    EXPECT_GE(visibleDownloads, 35);
    EXPECT_LE(visibleDownloads, 50);
}

// The demo exists to show every layer that works without the model; a change in the engine
// or in the demo that loses one of them fails here.
TEST(DemoHomeTest, ExercisesEveryLayerWithoutTheModel) {
    TempDir temp;
    ASSERT_EQ(createDemoHome(temp.path()), std::nullopt);
    const Plan plan = planFor(temp.path(), false);

    std::set<Layer> layers;
    for (const auto& suggestion : plan.suggestions) {
        layers.insert(suggestion.layer);
    }
    EXPECT_EQ(layers, (std::set<Layer>{Layer::skip, Layer::userFolder, Layer::rule, Layer::match,
                                       Layer::typeDefault, Layer::none}));
    EXPECT_EQ(suggestionFor(plan, ".DS_Store"), nullptr);

    const auto* project = suggestionFor(plan, "weather-app-notes.md");
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->action, Action::ask());
    EXPECT_EQ(project->reason, "可能属于代码项目「Documents/Work/weather-app」，请你决定");

    const std::map<std::string, Action> ruled = {
        {"Screenshot 2024-05-01 at 10.00.00.png", Action::move("Pictures/Screenshots")},
        {"Screen Recording 2024-05-02 at 09.12.44.mov", Action::move("Movies/Screen Recordings")},
        {"photos.zip", Action::trash()},
        {"Sketchpad 126.0.dmg", Action::trash()},
        {"invoice-telenor-april (1).pdf", Action::trash()},
        {"Dentist appointment.ics", Action::trash()},
    };
    for (const auto& [name, action] : ruled) {
        const auto* suggestion = suggestionFor(plan, name);
        ASSERT_NE(suggestion, nullptr) << name;
        EXPECT_EQ(suggestion->action, action) << name;
        EXPECT_EQ(suggestion->layer, Layer::rule) << name;
    }

    const auto* unreadable = suggestionFor(plan, "scan_20240311.pdf");
    ASSERT_NE(unreadable, nullptr);
    EXPECT_EQ(unreadable->action, Action::ask());
    EXPECT_EQ(plan.contentReads, 0);
}

TEST(DemoHomeTest, ContentReadingPlacesTheFileWhoseNameSaysNothing) {
    TempDir temp;
    ASSERT_EQ(createDemoHome(temp.path()), std::nullopt);
    const Plan plan = planFor(temp.path(), true);

    const auto* scan = suggestionFor(plan, "scan_20240311.pdf");
    ASSERT_NE(scan, nullptr);
    EXPECT_EQ(scan->layer, Layer::content);
    EXPECT_EQ(scan->action, Action::move("Documents/Insurance"));
    EXPECT_GE(plan.contentReads, 1);
}

} // namespace
} // namespace vesk
