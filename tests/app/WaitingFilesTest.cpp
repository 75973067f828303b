#include "app/WaitingFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vesk {
namespace {

using namespace std::chrono_literals;
using Kind = WaitingFiles::Decision::Kind;

std::vector<std::filesystem::path> files(const std::string& names) {
    std::vector<std::filesystem::path> paths;
    for (const char name : names) {
        paths.push_back(std::filesystem::path("/home/a/Downloads") / std::string(1, name));
    }
    return paths;
}

TEST(WaitingFiles, TellsOfNewFilesOncePerQuietTimeUnlessTheyDouble) {
    const WaitingFiles::Clock::time_point start{};
    struct Step {
        std::chrono::minutes at;
        std::string ready;
        Kind kind;
        int count = 0;
        std::chrono::minutes until{0};
    };
    const std::vector<Step> steps = {
        {0min, "", Kind::none},
        {0min, "ab", Kind::announce, 2},
        {10min, "ab", Kind::none}, // nothing new
        {20min, "abc", Kind::wait, 0, 240min},
        {30min, "abcd", Kind::announce, 4}, // doubled
        {40min, "abcde", Kind::wait, 0, 270min},
        {271min, "abcde", Kind::announce, 5}, // the quiet time is over
        {280min, "bcde", Kind::none},
        {290min, "abcde", Kind::wait, 0, 511min}, // a file that came back is news again
        {300min, "", Kind::withdraw},
        {301min, "", Kind::none},
        {302min, "f", Kind::announce, 1}, // all tidied: the next file is told at once
    };
    WaitingFiles waiting(4h);
    for (const Step& step : steps) {
        const auto decision = waiting.update(files(step.ready), start + step.at);
        EXPECT_EQ(decision.kind, step.kind) << step.at.count() << " min, " << step.ready;
        if (step.kind == Kind::announce) {
            EXPECT_EQ(decision.count, step.count) << step.at.count() << " min";
        }
        if (step.kind == Kind::wait) {
            EXPECT_EQ(decision.until, start + step.until) << step.at.count() << " min";
        }
    }
}

} // namespace
} // namespace vesk
