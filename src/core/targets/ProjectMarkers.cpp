#include "core/targets/ProjectMarkers.h"

#include <algorithm>
#include <array>

namespace vesk {

bool isProjectMarker(std::string_view name) {
    static constexpr std::array<std::string_view, 13> markers{
        ".git",    "Package.swift",  "package.json", "Cargo.toml",   "pyproject.toml",
        "go.mod",  "Gemfile",        "pom.xml",      "build.gradle", "requirements.txt",
        "Podfile", "CMakeLists.txt", "manifest.json"};
    return std::find(markers.begin(), markers.end(), name) != markers.end() ||
           name.ends_with(".xcodeproj") || name.ends_with(".xcworkspace");
}

bool isEnvironmentMarker(std::string_view name) {
    return name == "pyvenv.cfg" || name == "conda-meta";
}

} // namespace vesk
