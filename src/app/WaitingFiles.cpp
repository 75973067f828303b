#include "app/WaitingFiles.h"

#include <algorithm>
#include <utility>

namespace vesk {

WaitingFiles::Decision WaitingFiles::update(const std::vector<std::filesystem::path>& ready,
                                            Clock::time_point now) {
    std::unordered_set<std::string> current;
    for (const auto& file : ready) {
        current.insert(file.native());
    }
    // A file that left and came back is news again.
    std::erase_if(known_, [&](const std::string& file) { return !current.contains(file); });
    if (current.empty()) {
        lastAnnounced_.reset();
        lastCount_ = 0;
        return std::exchange(shown_, false) ? Decision{.kind = Decision::Kind::withdraw}
                                            : Decision{};
    }
    const bool news = std::any_of(current.begin(), current.end(), [this](const std::string& file) {
        return !known_.contains(file);
    });
    if (!news) {
        return {};
    }
    if (lastAnnounced_ && now < *lastAnnounced_ + quietTime_ && current.size() < 2 * lastCount_) {
        return {.kind = Decision::Kind::wait, .until = *lastAnnounced_ + quietTime_};
    }
    lastCount_ = current.size();
    known_ = std::move(current);
    lastAnnounced_ = now;
    shown_ = true;
    return {.kind = Decision::Kind::announce, .count = static_cast<int>(lastCount_)};
}

void WaitingFiles::seen(const std::vector<std::filesystem::path>& ready) {
    for (const auto& file : ready) {
        known_.insert(file.native());
    }
}

} // namespace vesk
