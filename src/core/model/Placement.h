#pragma once

#include <optional>
#include <string>

namespace vesk {

// The model's choice of folder for a file.
struct Placement {
    std::optional<int> target; // absent for "NONE" or an answer that names no candidate
    std::string confidence;    // "high", "medium", "low" as answered; "low" when missing
    std::string what;          // what the file is, in the model's words

    bool operator==(const Placement&) const = default;
};

} // namespace vesk
