#pragma once

#include <string_view>

namespace vesk {

// Whether an entry of this name, hidden or not, makes the folder holding it the top of a
// software project (".git", "package.json", "Tool.xcodeproj", ...).
[[nodiscard]] bool isProjectMarker(std::string_view name);

// Whether an entry of this name makes the folder holding it a Python virtual environment
// ("pyvenv.cfg") or a conda environment ("conda-meta").
[[nodiscard]] bool isEnvironmentMarker(std::string_view name);

} // namespace vesk
