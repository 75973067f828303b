#include "platform/Trash.h"

#include "platform/FileOps.h"

#include <QByteArray>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <system_error>

namespace vesk::platform {

namespace {

namespace fs = std::filesystem;

QString toQString(const fs::path& path) {
    return QFile::decodeName(QByteArray(path.c_str()));
}

fs::path toPath(const QString& name) {
    return fs::path(QFile::encodeName(name).toStdString());
}

// Qt holds file names as text; a name that is not valid UTF-8 would come back as a different
// name, which may even be another file.
bool survivesQt(const fs::path& path) {
    return QFile::encodeName(toQString(path)) == QByteArray(path.c_str());
}

// Qt 6.4 puts the item under the working directory when the data folder is missing.
void ensureDataFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty()) {
        std::error_code ignored;
        fs::create_directories(toPath(data), ignored);
    }
}

// Puts an entry that Qt moved somewhere other than a trash back where it came from, and clears
// away the "files" and "info" folders Qt made there.
void putBack(const fs::path& reported, const fs::path& original) {
    std::error_code ec;
    const fs::path strayed = fs::absolute(reported, ec);
    if (ec || fs::symlink_status(original, ec).type() != fs::file_type::not_found ||
        fs::symlink_status(strayed, ec).type() == fs::file_type::not_found ||
        moveEntry(strayed, original)) {
        return;
    }
    const fs::path files = strayed.parent_path();
    const fs::path info = files.parent_path() / "info";
    fs::remove(info / (strayed.filename().string() + ".trashinfo"), ec);
    // Only removed when empty: these may be someone's own folders.
    fs::remove(info, ec);
    fs::remove(files, ec);
}

std::string errorText(std::errc code) {
    return std::make_error_code(code).message();
}

} // namespace

TrashResult moveToTrash(const fs::path& entry) {
    if (!survivesQt(entry)) {
        return {std::nullopt, errorText(std::errc::illegal_byte_sequence)};
    }
    ensureDataFolder();
    QFile file(toQString(entry));
    if (!file.moveToTrash()) {
        return {std::nullopt, file.errorString().toStdString()};
    }
    const fs::path location = toPath(file.fileName());
    if (!isInTrash(location)) {
        putBack(location, entry);
        return {std::nullopt, errorText(std::errc::io_error)};
    }
    return {location, {}};
}

bool isInTrash(const fs::path& location) {
    if (!location.is_absolute() || location.parent_path().filename() != "files") {
        return false;
    }
    // ~/.local/share/Trash, <volume>/.Trash-<uid> or <volume>/.Trash/<uid>
    const fs::path trash = location.parent_path().parent_path();
    const std::string name = trash.filename().string();
    return name == "Trash" || name.starts_with(".Trash-") ||
           trash.parent_path().filename() == ".Trash";
}

void forgetTrashInfo(const fs::path& formerLocation) {
    if (!isInTrash(formerLocation)) {
        return;
    }
    const fs::path info = formerLocation.parent_path().parent_path() / "info" /
                          (formerLocation.filename().string() + ".trashinfo");
    std::error_code ignored;
    fs::remove(info, ignored);
}

} // namespace vesk::platform
