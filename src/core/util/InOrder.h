#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <stop_token>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace vesk {

// Calls `work(k)` for every k below `count` on up to `threads` threads of its own, and
// `take(k, result)` on the calling thread in order of k, each as soon as that result and every
// one before it are there: what is taken, and in which order, does not depend on how the work
// was spread. Once `stop` is requested no more work starts and nothing more is taken. When no
// thread can be started, the calling thread does the work itself, one k after the other.
template <typename Work, typename Take>
void inOrder(std::size_t count, int threads, const std::stop_token& stop, Work work, Take take) {
    using Result = std::invoke_result_t<Work&, std::size_t>;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<Result>> results(count);
    std::size_t next = 0; // the next k to work on
    std::size_t working = 0;
    const auto worker = [&] {
        std::unique_lock lock(mutex);
        while (next < count && !stop.stop_requested()) {
            const std::size_t k = next++;
            lock.unlock();
            auto result = work(k);
            lock.lock();
            results[k].emplace(std::move(result));
            changed.notify_all();
        }
        --working;
        changed.notify_all();
    };

    std::vector<std::jthread> pool; // after everything the workers use: joined first
    const auto wanted = std::min<std::size_t>(count, static_cast<std::size_t>(std::max(threads, 1)));
    for (std::size_t i = 0; i < wanted; ++i) {
        const std::lock_guard lock(mutex);
        try {
            pool.emplace_back(worker);
            ++working; // the worker waits for the lock, so it can't be done already
        } catch (const std::system_error&) {
            break;
        }
    }
    if (pool.empty()) {
        for (std::size_t k = 0; k < count && !stop.stop_requested(); ++k) {
            take(k, work(k));
        }
        return;
    }
    for (std::size_t k = 0; k < count; ++k) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return results[k].has_value() || working == 0; });
        if (!results[k] || stop.stop_requested()) {
            return;
        }
        Result result = std::move(*results[k]);
        results[k].reset();
        lock.unlock();
        take(k, std::move(result));
    }
}

} // namespace vesk
