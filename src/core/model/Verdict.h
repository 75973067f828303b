#pragma once

#include <string>
#include <utility>

namespace vesk {

// The model's second opinion on a folder already chosen for a file.
struct Verdict {
    enum class Case { approved, rejected, failed };

    Case kind = Case::failed;
    std::string text;     // what the file is, in the model's words
    std::string category; // rejected: the category the model chose instead

    [[nodiscard]] static Verdict approved(std::string what) {
        return {Case::approved, std::move(what), {}};
    }
    [[nodiscard]] static Verdict rejected(std::string category, std::string what) {
        return {Case::rejected, std::move(what), std::move(category)};
    }
    [[nodiscard]] static Verdict failed() { return {Case::failed, {}, {}}; }

    bool operator==(const Verdict&) const = default;
};

} // namespace vesk
