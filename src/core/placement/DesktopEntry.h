#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// What a freedesktop.org desktop entry tells about the application it installs. Read as
// strictly as the desktop itself reads it: a file the menus would refuse names nothing.
struct DesktopEntry {
    std::optional<std::string> name; // the unlocalized Name of [Desktop Entry], escapes resolved

    // Nothing unless the text holds only comments, group headers and key=value lines, with
    // [Desktop Entry] as its first group.
    [[nodiscard]] static std::optional<DesktopEntry> parse(std::string_view text);
    // Nothing when the file cannot be read or is no desktop entry.
    [[nodiscard]] static std::optional<DesktopEntry> read(const std::filesystem::path& file);

    // The application's short name in a desktop file's name: the last component of a
    // reverse-DNS id ("org.gnome.Maps.desktop" gives "Maps", "code.desktop" gives "code").
    [[nodiscard]] static std::string_view shortId(std::string_view fileName);
};

} // namespace vesk
