#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace vesk {

// Bounds one exchange with the model service as a whole. Read time-outs alone never end an
// answer that trickles in a byte at a time, so at the deadline, or as soon as `stop` is
// requested, a second thread calls `interrupt` (which shuts the connection down) and keeps
// calling it until the exchange is over: the exchange may open its connection only later.
class RequestWatchdog {
public:
    // The watch ends when the watchdog is destroyed, which must be after the exchange.
    RequestWatchdog(std::chrono::steady_clock::time_point deadline, std::stop_token stop,
                    std::function<void()> interrupt);
    RequestWatchdog(const RequestWatchdog&) = delete;
    RequestWatchdog& operator=(const RequestWatchdog&) = delete;

    // True once the exchange was cut short because its time was up.
    [[nodiscard]] bool expired() const { return expired_; }

private:
    void watch(const std::stop_token& over);

    std::chrono::steady_clock::time_point deadline_;
    std::stop_token stop_;
    std::function<void()> interrupt_;
    std::atomic<bool> expired_ = false;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::jthread thread_; // last: started after, and joined before, everything above
};

} // namespace vesk
