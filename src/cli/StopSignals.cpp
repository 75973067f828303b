#include "cli/StopSignals.h"

#include "platform/StopSignals.h"

#include <csignal>
#include <ctime>

namespace vesk {

StopSignals::StopSignals() {
    platform::blockStopSignals();
    watcher_ = std::jthread([this](const std::stop_token& done) {
        const sigset_t set = platform::stopSignals();
        // Looks up now and then to see whether the program is ending.
        const timespec patience{0, 200'000'000};
        while (!done.stop_requested()) {
            const int signal = ::sigtimedwait(&set, nullptr, &patience);
            if (signal > 0) {
                take(signal);
            }
        }
    });
}

StopSignals::~StopSignals() {
    watcher_.request_stop();
}

void StopSignals::take(int signal) {
    const std::lock_guard lock(mutex_);
    if (!moving_) {
        platform::endBySignal(signal);
    }
    moving_->request_stop();
    taken_ = taken_.value_or(signal);
}

std::stop_token StopSignals::startMoving() {
    const std::lock_guard lock(mutex_);
    moving_.emplace();
    return moving_->get_token();
}

std::optional<int> StopSignals::stopMoving() {
    const std::lock_guard lock(mutex_);
    moving_.reset();
    return taken_;
}

} // namespace vesk
