#include "platform/Trash.h"

#include "platform/FileOps.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QSaveFile>
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

fs::path infoFileOf(const fs::path& location) {
    return location.parent_path().parent_path() / "info" /
           (location.filename().string() + ".trashinfo");
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
    const fs::path info = infoFileOf(strayed);
    fs::remove(info, ec);
    // Only removed when empty: these may be someone's own folders.
    fs::remove(info.parent_path(), ec);
    fs::remove(strayed.parent_path(), ec);
}

// Qt 6.4 writes the original path into "Path=" as it is, but the freedesktop.org format wants it
// percent-encoded: a newline, "%", "#", a space or a non-ASCII name would otherwise keep the
// file manager from restoring the item. Best effort: the item is in the Trash either way.
void rewriteTrashInfo(const fs::path& location, const fs::path& original) {
    std::error_code ec;
    const fs::path path = fs::absolute(original, ec).lexically_normal();
    QSaveFile info(toQString(infoFileOf(location)));
    if (ec || !info.open(QIODevice::WriteOnly)) {
        return;
    }
    const QByteArray date =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1();
    info.write("[Trash Info]\nPath=" + QByteArray(path.c_str()).toPercentEncoding("/") +
               "\nDeletionDate=" + date + "\n");
    (void)info.commit();
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
    rewriteTrashInfo(location, entry);
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
    std::error_code ignored;
    fs::remove(infoFileOf(formerLocation), ignored);
}

} // namespace vesk::platform
