#pragma once

#include <filesystem>
#include <string>

namespace vesk::platform {

enum class WellKnownFolder { desktop, documents, downloads, pictures, movies, music };

// The folder's path relative to the home folder ("Pictures", "Videos", ...): read from
// <home>/.config/user-dirs.dirs when it names a folder under home (XDG_VIDEOS_DIR plays
// Movies), else the usual English name. Never an absolute path, never empty.
[[nodiscard]] std::string wellKnownFolder(const std::filesystem::path& home,
                                          WellKnownFolder folder);

} // namespace vesk::platform
