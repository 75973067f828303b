#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace vesk {

// SIGTERM, SIGINT and SIGHUP while files are being moved stop the tidy or undo the way the
// application's Quit does: after the file in progress, with everything recorded. At any other
// time they end vesk-cli at once, as they would without this. Made first thing in main(),
// before any other thread.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // While moving, a signal asks the returned token to stop instead of ending the program.
    [[nodiscard]] std::stop_token startMoving();
    // The signal that stopped the moves, if one did.
    [[nodiscard]] std::optional<int> stopMoving();

private:
    void take(int signal);

    std::mutex mutex_;
    std::optional<std::stop_source> moving_;
    std::optional<int> taken_;
    std::jthread watcher_;
};

} // namespace vesk
