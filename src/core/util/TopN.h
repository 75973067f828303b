#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace vesk {

// Keeps the `count` best of the values offered, in O(log count) per offer, so a caller that
// reads a few leaders never sorts everything. `Better` must be a strict total order: then the
// result does not depend on the order of the offers.
template <class T, class Better> class TopN {
public:
    TopN(std::size_t count, Better better) : count_(count), better_(std::move(better)) {}

    void offer(T value) {
        if (count_ == 0) {
            return;
        }
        if (kept_.size() < count_) {
            kept_.push_back(std::move(value));
            std::push_heap(kept_.begin(), kept_.end(), better_);
        } else if (better_(value, kept_.front())) {
            // The front of a heap ordered by "better" is the worst value kept.
            std::pop_heap(kept_.begin(), kept_.end(), better_);
            kept_.back() = std::move(value);
            std::push_heap(kept_.begin(), kept_.end(), better_);
        }
    }

    // The values kept, best first.
    [[nodiscard]] std::vector<T> take() && {
        std::sort_heap(kept_.begin(), kept_.end(), better_);
        return std::move(kept_);
    }

private:
    std::size_t count_;
    Better better_;
    std::vector<T> kept_;
};

} // namespace vesk
