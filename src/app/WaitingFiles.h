#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace vesk {

// Decides when files ready to tidy deserve a notice: when some are new since the last one, at
// most once per quiet time unless their number has at least doubled since. Once nothing is left
// to tidy the quiet time is over, so the next file is news at once.
class WaitingFiles {
public:
    using Clock = std::chrono::steady_clock;

    struct Decision {
        enum class Kind {
            none,     // nothing new to tell
            announce, // tell about `count` files
            wait,     // news, but held back until `until`: ask again then
            withdraw, // nothing is left to tidy: take the notice back
        };
        Kind kind = Kind::none;
        int count = 0;
        Clock::time_point until{};

        bool operator==(const Decision&) const = default;
    };

    explicit WaitingFiles(Clock::duration quietTime) : quietTime_(quietTime) {}

    // `ready`: every file ready to tidy now.
    [[nodiscard]] Decision update(const std::vector<std::filesystem::path>& ready,
                                  Clock::time_point now);
    // The person has looked at these (in the review window): none of them is news any more.
    void seen(const std::vector<std::filesystem::path>& ready);

private:
    Clock::duration quietTime_;
    std::unordered_set<std::string> known_;
    std::optional<Clock::time_point> lastAnnounced_;
    std::size_t lastCount_ = 0;
    bool shown_ = false;
};

} // namespace vesk
