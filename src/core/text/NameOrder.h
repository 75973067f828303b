#pragma once

#include <algorithm>
#include <functional>
#include <string_view>

namespace vesk {

// The order a file manager lists names in: digit runs compare as numbers ("file2" before
// "file10"), case is ignored, accents are not. Follows the user's locale; safe from any thread.
[[nodiscard]] bool nameLess(std::string_view a, std::string_view b);

// Sorts by name; stable, so names that compare equal ("apple", "Apple") keep their order.
// `name` projects an element to its name, e.g. &FileItem::name.
template <class Range, class Name = std::identity> void sortByName(Range& items, Name name = {}) {
    std::ranges::stable_sort(items, nameLess, name);
}

} // namespace vesk
