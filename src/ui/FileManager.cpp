#include "ui/FileManager.h"

#include "app/PathBoundary.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QUrl>

namespace vesk::FileManager {

namespace {

constexpr int replyTimeoutMs = 2000;

void openFolderOf(const std::filesystem::path& file) {
    QDesktopServices::openUrl(fileUrl(file.parent_path()));
}

} // namespace

void reveal(const std::vector<std::filesystem::path>& files) {
    if (files.empty()) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openFolderOf(files.front());
        return;
    }
    QStringList uris;
    for (const auto& file : files) {
        uris << fileUrl(file).toString(QUrl::FullyEncoded);
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << uris << QString();
    // Asynchronous: a file manager that is slow to start must not freeze the window.
    auto* reply =
        new QDBusPendingCallWatcher(bus.asyncCall(call, replyTimeoutMs), QCoreApplication::instance());
    QObject::connect(reply, &QDBusPendingCallWatcher::finished, reply,
                     [reply, first = files.front()] {
                         if (reply->isError()) {
                             openFolderOf(first);
                         }
                         reply->deleteLater();
                     });
}

} // namespace vesk::FileManager
