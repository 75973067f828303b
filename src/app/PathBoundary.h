#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <filesystem>
#include <vector>

// Where a path meets Qt, in one place. A path is the bytes the file system knows; a QString is
// UTF-16, so a name that is not UTF-8 ("caf\xE9.pdf") cannot go into one and come back. Text is
// for people to read; whatever must find the path again (item-model roles, the settings store,
// file URLs) keeps its bytes.
namespace vesk {

// For people to read, with what would not show as itself written out (displayText()).
[[nodiscard]] QString displayPath(const std::filesystem::path& path);
// For Qt's own file classes, which take paths as text: bytes that are not UTF-8 become
// replacement characters, so it is exact only for UTF-8 names.
[[nodiscard]] QString pathToQt(const std::filesystem::path& path);
// A path Qt handed over (a file dialog, QStandardPaths): Qt encodes it as the file system does.
[[nodiscard]] std::filesystem::path pathFromQt(const QString& text);

// Exact, for item-model roles.
[[nodiscard]] QByteArray pathBytes(const std::filesystem::path& path);
[[nodiscard]] std::filesystem::path pathFromBytes(const QByteArray& bytes);

// Exact, for a list of paths in the settings store: plain text while every path is UTF-8, so the
// file reads as it always has, and bytes for a path that is not.
[[nodiscard]] QVariant storedPaths(const std::vector<std::filesystem::path>& paths);
[[nodiscard]] std::vector<std::filesystem::path> pathsFromStored(const QVariant& value);

// A file:// URL with the path's bytes percent-encoded, exact for any name.
[[nodiscard]] QUrl fileUrl(const std::filesystem::path& path);

} // namespace vesk
