#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the name index compares of two names: their characters, their words, and whether one
// holds a folder's name.
namespace vesk::NameFeatures {

// Character trigrams of a name, and character pairs where it is written without spaces
// (Chinese, Japanese), of the lower-cased NFC text with every run of separators as one space
// and a space at each end. Each is packed in 64 bits; sorted, without repeats. Into a list
// the caller keeps, since it is asked for every name of a home.
void grams(std::string_view name, std::vector<std::uint64_t>& keys);

// The words a folder's vocabulary is made of: the name's phrase words of three or more
// letters without digits, and in a script without spaces every pair of neighbouring characters
// ("高等数学" gives "高等", "等数", "数学"), which matches however a name cuts its words. Common
// words need no list of their own: they are common in the folders too.
[[nodiscard]] std::vector<std::string> terms(std::string_view name);

// Words as written, to find a folder's name in a file's: lower-cased, camel case split, runs of
// letters, digits, "+" and "#" ("C++", "C#"), a plural "s" dropped from longer ASCII words.
[[nodiscard]] std::vector<std::string> phraseWords(std::string_view text);

// The phrases a folder's name lists, each its phrase words joined by a space: "Algorithms,
// Data Structures & Design Patterns" gives "algorithm", "data structure", "design pattern".
[[nodiscard]] std::vector<std::string> phrases(std::string_view folderName);

// Whether a code point belongs to a script written without spaces between words.
[[nodiscard]] bool isUnspaced(char32_t c);

} // namespace vesk::NameFeatures
