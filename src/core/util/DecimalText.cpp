#include "core/util/DecimalText.h"

#include <array>
#include <charconv>

namespace vesk {

namespace {

// Room for any double in fixed notation (the largest has 309 digits, the smallest 324 zeros
// after the point); only an absurd number of places falls back to the shortest general form.
template <typename... Format> std::string written(double value, Format... format) {
    std::array<char, 400> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format...);
    if (result.ec != std::errc()) {
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    }
    return std::string(buffer.data(), result.ptr);
}

} // namespace

std::string decimalText(double value, int places) {
    return written(value, std::chars_format::fixed, places);
}

std::string decimalText(double value) {
    return written(value, std::chars_format::fixed);
}

} // namespace vesk
