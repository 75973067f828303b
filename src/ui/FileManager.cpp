#include "ui/FileManager.h"

#include "app/PathBoundary.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QUrl>

namespace vesk::FileManager {

namespace {

QUrl urlOf(const std::filesystem::path& path) {
    return fileUrl(path);
}

bool showItems(const std::vector<std::filesystem::path>& files) {
    QStringList uris;
    for (const auto& file : files) {
        uris << urlOf(file).toString(QUrl::FullyEncoded);
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << uris << QString();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace

void reveal(const std::vector<std::filesystem::path>& files) {
    if (files.empty() || showItems(files)) {
        return;
    }
    QDesktopServices::openUrl(urlOf(files.front().parent_path()));
}

} // namespace vesk::FileManager
