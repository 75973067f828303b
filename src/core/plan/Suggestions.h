#pragma once

#include "core/plan/Suggestion.h"

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <vector>

namespace vesk {

// A plan's suggestions, read as a sequence of values. Each suggestion is immutable once made and
// shared: an organizer's rescan hands on the decisions it kept without copying them, so a plan
// of 10,000 files that one new file changed costs one new suggestion, not 10,000 copies.
class Suggestions {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = Suggestion;
        using difference_type = std::ptrdiff_t;
        using pointer = const Suggestion*;
        using reference = const Suggestion&;
        using Shared = std::vector<std::shared_ptr<const Suggestion>>::const_iterator;

        const_iterator() = default;
        explicit const_iterator(Shared at) : at_(at) {}

        reference operator*() const { return **at_; }
        pointer operator->() const { return at_->get(); }
        reference operator[](difference_type n) const { return *at_[n]; }
        const_iterator& operator++() { ++at_; return *this; }
        const_iterator operator++(int) { return const_iterator(at_++); }
        const_iterator& operator--() { --at_; return *this; }
        const_iterator operator--(int) { return const_iterator(at_--); }
        const_iterator& operator+=(difference_type n) { at_ += n; return *this; }
        const_iterator& operator-=(difference_type n) { at_ -= n; return *this; }
        friend const_iterator operator+(const_iterator i, difference_type n) { return i += n; }
        friend const_iterator operator+(difference_type n, const_iterator i) { return i += n; }
        friend const_iterator operator-(const_iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return a.at_ - b.at_;
        }
        friend bool operator==(const const_iterator&, const const_iterator&) = default;
        friend auto operator<=>(const const_iterator&, const const_iterator&) = default;

    private:
        Shared at_;
    };
    using value_type = Suggestion;
    using size_type = std::size_t;
    using iterator = const_iterator;

    Suggestions() = default;
    Suggestions(std::vector<Suggestion> suggestions); // NOLINT: a list of values is one
    Suggestions(std::initializer_list<Suggestion> suggestions)
        : Suggestions(std::vector<Suggestion>(suggestions)) {}

    void reserve(std::size_t size) { items_.reserve(size); }
    void push_back(Suggestion suggestion);
    void push_back(std::shared_ptr<const Suggestion> suggestion) {
        items_.push_back(std::move(suggestion));
    }

    [[nodiscard]] std::size_t size() const { return items_.size(); }
    [[nodiscard]] bool empty() const { return items_.empty(); }
    [[nodiscard]] const Suggestion& operator[](std::size_t i) const { return *items_[i]; }
    [[nodiscard]] const std::shared_ptr<const Suggestion>& shared(std::size_t i) const {
        return items_[i];
    }
    [[nodiscard]] const_iterator begin() const { return const_iterator(items_.begin()); }
    [[nodiscard]] const_iterator end() const { return const_iterator(items_.end()); }

    // Equal when they say the same, shared or not.
    bool operator==(const Suggestions& other) const;

private:
    std::vector<std::shared_ptr<const Suggestion>> items_;
};

} // namespace vesk
