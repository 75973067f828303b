#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vesk {

// Fills `dir` with a small made-up home folder to try Vesk on: Documents, Pictures, Music,
// Movies and Desktop with realistically named folders and files, and a Downloads folder
// with a case for every placement layer. `dir` is created when missing; an existing entry
// that is not an empty folder is refused, so nobody's files are ever touched.
// Returns an error message on failure, nothing on success. The same home every time.
[[nodiscard]] std::optional<std::string> createDemoHome(const std::filesystem::path& dir);

} // namespace vesk
