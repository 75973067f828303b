#include "core/model/RequestWatchdog.h"

namespace vesk {

namespace {

// How often an exchange that should be over is interrupted again.
constexpr std::chrono::milliseconds retry{20};

} // namespace

RequestWatchdog::RequestWatchdog(std::chrono::steady_clock::time_point deadline,
                                 std::stop_token stop, std::function<void()> interrupt)
    : deadline_(deadline), stop_(std::move(stop)), interrupt_(std::move(interrupt)),
      thread_([this](const std::stop_token& over) { watch(over); }) {}

void RequestWatchdog::watch(const std::stop_token& over) {
    // Registered before the lock is taken: it runs at once when the run is already stopped.
    const std::stop_callback onStop(stop_, [this] {
        const std::lock_guard lock(mutex_);
        wake_.notify_all();
    });
    std::unique_lock lock(mutex_);
    const bool stopped =
        wake_.wait_until(lock, over, deadline_, [this] { return stop_.stop_requested(); });
    if (over.stop_requested()) {
        return;
    }
    expired_ = !stopped;
    while (!over.stop_requested()) {
        lock.unlock();
        interrupt_();
        lock.lock();
        wake_.wait_for(lock, over, retry, [] { return false; });
    }
}

} // namespace vesk
