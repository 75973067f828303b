#pragma once

#include <filesystem>
#include <string>

namespace vesk::platform {

enum class WellKnownFolder {
    desktop,
    documents,
    downloads,
    pictures,
    movies,
    music,
    publicShare,
    templates
};

// The folder's path relative to the home folder ("Pictures", "Videos", ...): read from the
// user-dirs.dirs file when it names a folder under home (XDG_VIDEOS_DIR plays Movies), else the
// usual English name. Never an absolute path, never empty. The file is
// $XDG_CONFIG_HOME/user-dirs.dirs for the account's own home ($HOME), and
// <home>/.config/user-dirs.dirs for any other home, such as a demo home.
[[nodiscard]] std::string wellKnownFolder(const std::filesystem::path& home,
                                          WellKnownFolder folder);

} // namespace vesk::platform
