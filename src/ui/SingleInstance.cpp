#include "ui/SingleInstance.h"

#include "app/PathBoundary.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace vesk {

namespace {

// The first launch may still be starting up; give it this long to start listening.
constexpr int handOverPatienceMs = 3000;

QString runtimeFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

SingleInstance::SingleInstance(const std::filesystem::path& home, QObject* parent)
    : QObject(parent) {
    const QByteArray hash =
        QCryptographicHash::hash(pathBytes(home), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    socket_ = runtimeFolder() +
              QStringLiteral("/vesk-%1-%2.socket").arg(getuid()).arg(QString::fromLatin1(hash));
    lock_ = std::make_unique<QLockFile>(socket_ + QStringLiteral(".lock"));
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::receive);
}

SingleInstance::Claim SingleInstance::claim(const QStringList& windowArguments) {
    // A lock left by a crashed Vesk is stale once its process is gone; QLockFile checks that.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        QLocalServer::removeServer(socket_);
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        // Without a socket later launches can't reach us, but this one still works.
        static_cast<void>(server_.listen(socket_));
        return Claim::first;
    }
    return handOver(windowArguments) ? Claim::handedOver : Claim::unreachable;
}

bool SingleInstance::handOver(const QStringList& windowArguments) const {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < handOverPatienceMs) {
        QLocalSocket socket;
        socket.connectToServer(socket_);
        if (socket.waitForConnected(500)) {
            QByteArray bytes;
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream << windowArguments;
            socket.write(bytes);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::receive() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream stream(socket);
            stream.startTransaction();
            QStringList arguments;
            stream >> arguments;
            if (stream.commitTransaction()) {
                emit arrived(arguments);
            }
        });
    }
}

} // namespace vesk
