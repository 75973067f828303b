#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace vesk {

// The code point that starts at byte `at`, moving `at` past it. Nothing for bytes that start no
// valid UTF-8 sequence (overlong forms, surrogates, a cut sequence); `at` then moves past them.
[[nodiscard]] std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at);

[[nodiscard]] bool isValidUtf8(std::string_view text);

} // namespace vesk
