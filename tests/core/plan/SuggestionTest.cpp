#include "core/plan/Suggestion.h"
#include "core/placement/OrganizerSettings.h"

#include <gtest/gtest.h>

#include <tuple>
#include <unordered_set>

namespace vesk {
namespace {

TEST(Action, KeysLabelsAndEquality) {
    EXPECT_EQ(Action::move("keep").key(), Action::keep().key());
    EXPECT_NE(Action::move("keep"), Action::keep());
    EXPECT_EQ(Action::move("Pictures/Trips").label(), "→ Pictures/Trips");
    EXPECT_EQ(Action::trash().label(), "→ 废纸篓");
    // The applications folder is the home's own, named as a move into it would be.
    EXPECT_EQ(Action::toApplications().key(), Action::move("Applications").key());
    EXPECT_EQ(Action::toApplications().label(), "→ Applications");
    EXPECT_EQ(Action::ask().label(), "需要你决定");
    const std::unordered_set<Action> actions{Action::move("a"), Action::move("a"),
                                             Action::move("b"), Action::trash(), Action::keep()};
    EXPECT_EQ(actions.size(), 4u);
}

TEST(Layer, ReadsBackOnlyItsOwnTexts) {
    for (const Layer layer : {Layer::skip, Layer::userFolder, Layer::rule, Layer::match,
                              Layer::typeDefault, Layer::llm, Layer::content, Layer::none}) {
        EXPECT_EQ(layerFromRawValue(rawValue(layer)), layer);
    }
    EXPECT_EQ(layerFromRawValue("② 类型默认"), Layer::typeDefault);
    EXPECT_FALSE(layerFromRawValue("②"));
    EXPECT_FALSE(layerFromRawValue(""));
}

TEST(OrganizerSettings, ConvenienceDefaultsToTheDownloadsFolder) {
    const OrganizerSettings settings(std::filesystem::path("/home/h"));
    EXPECT_EQ(settings.sources, std::vector<std::filesystem::path>{"/home/h/Downloads"});
    const OrganizerSettings desktop(std::filesystem::path("/home/h"),
                                    std::filesystem::path("/home/h/Desktop"));
    EXPECT_EQ(desktop.sources, std::vector<std::filesystem::path>{"/home/h/Desktop"});
}

} // namespace
} // namespace vesk
