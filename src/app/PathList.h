#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Paths kept as their bytes, one after another in one buffer: a list of thousands costs about
// their length, where copies of std::filesystem::path cost an allocation for the text and one
// for the components of each.
class PathList {
public:
    void reserve(std::size_t paths) { ends_.reserve(paths); }
    void push_back(const std::filesystem::path& path);
    [[nodiscard]] std::size_t size() const { return ends_.size(); }
    // The path's native bytes.
    [[nodiscard]] std::string_view operator[](std::size_t position) const;

    bool operator==(const PathList&) const = default;

private:
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

} // namespace vesk
