#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk::Tokens {

// Normalised word tokens of a file or folder name, in word order, duplicates kept.
// Safe to call from several threads: each thread has its own word segmenter.
[[nodiscard]] std::vector<std::string> of(std::string_view name);

} // namespace vesk::Tokens
