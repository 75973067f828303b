#include "app/PathBoundary.h"

#include "app/DisplayText.h"

#include "core/text/Utf8.h"
#include "core/util/FileUrl.h"

#include <QFile>
#include <QStringList>

namespace vesk {

QString displayPath(const std::filesystem::path& path) {
    return displayText(path.native());
}

QString pathToQt(const std::filesystem::path& path) {
    return QFile::decodeName(pathBytes(path));
}

std::filesystem::path pathFromQt(const QString& text) {
    return pathFromBytes(QFile::encodeName(text));
}

QByteArray pathBytes(const std::filesystem::path& path) {
    const std::string& native = path.native();
    return {native.data(), static_cast<qsizetype>(native.size())};
}

std::filesystem::path pathFromBytes(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QVariant storedPaths(const std::vector<std::filesystem::path>& paths) {
    QStringList texts;
    QVariantList values;
    for (const auto& path : paths) {
        const bool text = isValidUtf8(path.native());
        if (text) {
            texts << QString::fromStdString(path.native());
        }
        values << (text ? QVariant(QString::fromStdString(path.native())) : QVariant(pathBytes(path)));
    }
    // A list of strings is stored as the plain comma-separated line even with one entry.
    return texts.size() == values.size() ? QVariant(texts) : QVariant(values);
}

std::vector<std::filesystem::path> pathsFromStored(const QVariant& value) {
    // One entry reads back as a single value, several as a list; bytes as QByteArray.
    const QVariantList values =
        value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList
            ? value.toList()
            : QVariantList{value};
    std::vector<std::filesystem::path> paths;
    for (const QVariant& entry : values) {
        if (entry.typeId() == QMetaType::QByteArray) {
            paths.push_back(pathFromBytes(entry.toByteArray()));
        } else if (entry.canConvert<QString>() && !entry.toString().isEmpty()) {
            paths.emplace_back(entry.toString().toStdString());
        }
    }
    return paths;
}

QUrl fileUrl(const std::filesystem::path& path) {
    return QUrl(QString::fromStdString(toFileUrl(path)), QUrl::StrictMode);
}

} // namespace vesk
