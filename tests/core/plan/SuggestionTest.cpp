#include "core/plan/Suggestion.h"
#include "core/placement/OrganizerSettings.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <tuple>
#include <unordered_set>

namespace vesk {
namespace {

TEST(Action, KeysAndEquality) {
    EXPECT_EQ(Action::move("keep").key(), Action::keep().key());
    EXPECT_NE(Action::move("keep"), Action::keep());
    // The applications folder is the home's own, named as a move into it would be.
    EXPECT_EQ(Action::toApplications().key(), Action::move("Applications").key());
    const std::unordered_set<Action> actions{Action::move("a"), Action::move("a"),
                                             Action::move("b"), Action::trash(), Action::keep()};
    EXPECT_EQ(actions.size(), 4u);
}

// Machine-readable output tells cases apart by these keys alone.
TEST(Reason, EveryLayerAndReasonHasItsOwnKey) {
    std::set<std::string_view> layers;
    for (int i = 0; i <= static_cast<int>(Layer::none); ++i) {
        layers.insert(layerKey(static_cast<Layer>(i)));
    }
    EXPECT_EQ(layers.size(), static_cast<std::size_t>(Layer::none) + 1);
    EXPECT_TRUE(layers.contains("typeDefault"));
    std::set<std::string_view> reasons;
    for (int i = 0; i <= static_cast<int>(ReasonCode::inPlace); ++i) {
        reasons.insert(reasonKey(static_cast<ReasonCode>(i)));
    }
    EXPECT_EQ(reasons.size(), static_cast<std::size_t>(ReasonCode::inPlace) + 1);
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
