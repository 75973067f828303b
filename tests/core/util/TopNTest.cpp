#include "core/util/TopN.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace vesk {
namespace {

using Scored = std::pair<int, int>; // score, id

bool better(const Scored& a, const Scored& b) {
    return a.first > b.first || (a.first == b.first && a.second < b.second);
}

TEST(TopN, KeepsTheHeadOfAFullSortWhateverTheOrderOfOffers) {
    std::mt19937 random(15);
    for (int round = 0; round < 200; ++round) {
        // Few distinct scores, so most values tie and only the ids tell them apart.
        std::vector<Scored> values(std::uniform_int_distribution<std::size_t>(0, 30)(random));
        for (std::size_t id = 0; id < values.size(); ++id) {
            values[id] = {std::uniform_int_distribution<int>(0, 3)(random), static_cast<int>(id)};
        }
        std::vector<Scored> sorted = values;
        std::sort(sorted.begin(), sorted.end(), better);
        std::shuffle(values.begin(), values.end(), random);

        for (const std::size_t count : {0U, 1U, 2U, 5U, 40U}) {
            TopN<Scored, decltype(&better)> top(count, &better);
            for (const Scored& value : values) {
                top.offer(value);
            }
            const std::size_t head = std::min(count, sorted.size());
            EXPECT_EQ(std::move(top).take(),
                      std::vector<Scored>(sorted.begin(), sorted.begin() + head));
        }
    }
}

} // namespace
} // namespace vesk
