#pragma once

#include <QIcon>

#include <filesystem>

namespace vesk::FileIcons {

// The icon the file manager shows for a file of this type (from its MIME type and the icon
// theme), a generic document or folder otherwise.
[[nodiscard]] QIcon iconFor(const std::filesystem::path& file);

} // namespace vesk::FileIcons
