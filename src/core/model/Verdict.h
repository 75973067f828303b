#pragma once

#include <string>
#include <utility>

namespace vesk {

// The model's second opinion on a folder already chosen for a file.
struct Verdict {
    enum class Case { approved, rejected, failed };

    Case kind = Case::failed;
    std::string text; // approved: what the file is; rejected: category + "：" + what

    [[nodiscard]] static Verdict approved(std::string what) {
        return {Case::approved, std::move(what)};
    }
    [[nodiscard]] static Verdict rejected(std::string text) {
        return {Case::rejected, std::move(text)};
    }
    [[nodiscard]] static Verdict failed() { return {Case::failed, {}}; }

    bool operator==(const Verdict&) const = default;
};

} // namespace vesk
