#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vesk {

// Dense ids for 64-bit keys, numbered in the order the keys are first added. Open addressing
// in one flat array, a key beside its id: the name index asks for a key at every character of
// every name in a home, where a node per key (std::unordered_map) costs an allocation and
// cache misses each. 0 is never a key.
class KeyIds {
public:
    // The key's id, given the next one when the key is new.
    std::uint32_t add(std::uint64_t key) {
        if (2 * (size_ + 1) > slots_.size()) {
            grow();
        }
        std::size_t slot = slotOf(key);
        for (; slots_[slot].key != 0; slot = (slot + 1) & mask_) {
            if (slots_[slot].key == key) {
                return slots_[slot].id;
            }
        }
        slots_[slot] = {key, static_cast<std::uint32_t>(size_)};
        return static_cast<std::uint32_t>(size_++);
    }

    [[nodiscard]] std::optional<std::uint32_t> find(std::uint64_t key) const {
        if (slots_.empty()) {
            return std::nullopt;
        }
        for (std::size_t slot = slotOf(key); slots_[slot].key != 0; slot = (slot + 1) & mask_) {
            if (slots_[slot].key == key) {
                return slots_[slot].id;
            }
        }
        return std::nullopt;
    }

    [[nodiscard]] std::size_t size() const { return size_; }

private:
    [[nodiscard]] std::size_t slotOf(std::uint64_t key) const {
        // Fibonacci hashing: the high bits of the product spread neighbouring keys apart.
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift_);
    }

    struct Slot {
        std::uint64_t key = 0; // 0 marks a free slot
        std::uint32_t id = 0;
    };

    void grow() {
        std::vector<Slot> old(slots_.empty() ? 1024 : 2 * slots_.size());
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        shift_ = 64;
        for (std::size_t c = slots_.size(); c > 1; c /= 2) {
            --shift_;
        }
        for (const Slot& moved : old) {
            if (moved.key != 0) {
                std::size_t slot = slotOf(moved.key);
                while (slots_[slot].key != 0) {
                    slot = (slot + 1) & mask_;
                }
                slots_[slot] = moved;
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
    std::size_t mask_ = 0;
    int shift_ = 64;
};

} // namespace vesk
