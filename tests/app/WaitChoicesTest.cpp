#include "app/WaitChoices.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

std::vector<double> days(const std::vector<WaitChoice>& choices) {
    std::vector<double> values;
    for (const auto& choice : choices) {
        values.push_back(choice.days);
    }
    return values;
}

TEST(WaitChoices, AStoredWaitThatIsNoStandardChoiceJoinsThemInOrder) {
    struct Case {
        double stored;
        std::vector<double> days;
        QString extra;
    };
    for (const auto& [stored, expected, extra] : std::vector<Case>{
             {3, {0, 1, 3, 7}, {}},
             {0, {0, 1, 3, 7}, {}},
             {0.5, {0, 0.5, 1, 3, 7}, "0.5 Days"},
             {2, {0, 1, 2, 3, 7}, "2 Days"},
             {30, {0, 1, 3, 7, 30}, "30 Days"},
         }) {
        const auto choices = WaitChoices::around(stored);
        EXPECT_EQ(days(choices), expected) << stored;
        const auto shown = std::find_if(choices.begin(), choices.end(),
                                        [&](const WaitChoice& c) { return c.days == stored; });
        if (!extra.isEmpty()) {
            EXPECT_EQ(shown->text, extra);
        }
    }
    const auto standard = WaitChoices::around(3);
    EXPECT_EQ(standard.front().text, "Right Away");
    EXPECT_EQ(standard.back().text, "1 Week");
}

} // namespace
} // namespace vesk
