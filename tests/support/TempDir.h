#pragma once

#include <filesystem>
#include <string_view>

namespace vesk::test {

// A fresh folder for one test case, removed with everything in it when the case ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(const std::filesystem::path& rel) const {
        return path_ / rel;
    }

private:
    std::filesystem::path path_;
};

// Writes a file (creating its parent folders) and returns its path.
std::filesystem::path writeFile(const std::filesystem::path& file, std::string_view contents = "x");
// Creates a folder with its parents and returns its path.
std::filesystem::path makeDir(const std::filesystem::path& dir);
// The whole contents of a file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& file);

} // namespace vesk::test
