#pragma once

#include <QString>

#include <filesystem>

namespace vesk {

// How a source folder is named in a list: its name as the file manager shows it and, unless it
// lies directly in the home folder, the folder it lies in, with the home folder written "~".
struct FolderLabel {
    QString name;
    QString parent; // empty for a folder directly in home

    [[nodiscard]] static FolderLabel of(const std::filesystem::path& folder,
                                        const std::filesystem::path& home);
    // The folder's name alone.
    [[nodiscard]] static QString nameOf(const std::filesystem::path& folder);

    bool operator==(const FolderLabel&) const = default;
};

} // namespace vesk
