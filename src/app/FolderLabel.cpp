#include "app/FolderLabel.h"

#include "app/PathBoundary.h"
#include "core/util/NormalFolder.h"


namespace vesk {

namespace {

// The path with the home folder as "~"; a folder beside home whose name merely starts like it
// ("/home/me2") keeps its full path.
QString shortened(const std::filesystem::path& path, const std::filesystem::path& home) {
    if (path == home) {
        return QStringLiteral("~");
    }
    const auto relative = path.lexically_relative(home);
    if (!relative.empty() && *relative.begin() != "..") {
        return QStringLiteral("~/") + displayPath(relative);
    }
    return displayPath(path);
}

} // namespace

FolderLabel FolderLabel::of(const std::filesystem::path& folder,
                            const std::filesystem::path& home) {
    const auto normal = normalFolder(folder);
    const auto normalHome = normalFolder(home);
    FolderLabel label;
    label.name = nameOf(normal);
    if (normal.has_parent_path() && normal != normal.root_path() &&
        normal.parent_path() != normalHome) {
        label.parent = shortened(normal.parent_path(), normalHome);
    }
    return label;
}

QString FolderLabel::nameOf(const std::filesystem::path& folder) {
    const auto normal = normalFolder(folder);
    return displayPath(normal.has_filename() ? normal.filename() : normal);
}

} // namespace vesk
