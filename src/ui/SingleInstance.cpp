#include "ui/SingleInstance.h"

#include "app/PathBoundary.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

namespace {

namespace fs = std::filesystem;

// The first launch may still be starting up; give it this long to start listening.
constexpr int handOverPatienceMs = 3000;

// A folder that only this user can enter: nobody else can put a lock there that we would obey,
// nor a socket that would take our window options.
bool isPrivate(const fs::path& folder) {
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

bool makePrivate(const fs::path& folder) {
    (void)::mkdir(folder.c_str(), 0700);
    return isPrivate(folder);
}

// $XDG_RUNTIME_DIR, else a folder of our own in the temporary folder, else in the cache;
// nothing when none of them is private.
std::optional<fs::path> runtimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && isPrivate(runtime)) {
        return runtime;
    }
    std::error_code ec;
    const fs::path temporary = fs::temp_directory_path(ec);
    const fs::path ownTemporary = temporary / ("vesk-" + std::to_string(::getuid()));
    if (!ec && makePrivate(ownTemporary)) {
        return ownTemporary;
    }
    const fs::path cache =
        pathFromQt(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
    fs::create_directories(cache, ec);
    if (!cache.empty() && makePrivate(cache / "vesk-run")) {
        return cache / "vesk-run";
    }
    return std::nullopt;
}

// Only a plain file of ours is a lock: anything else at its name is cleared away.
void clearForeignLock(const fs::path& lock) {
    struct stat status {};
    if (::lstat(lock.c_str(), &status) == 0 &&
        (!S_ISREG(status.st_mode) || status.st_uid != ::getuid())) {
        std::error_code ec;
        fs::remove_all(lock, ec);
    }
}

} // namespace

SingleInstance::SingleInstance(const std::filesystem::path& home, QObject* parent)
    : QObject(parent) {
    // The same home through a link or a bind of its path is the same home.
    std::error_code ec;
    const fs::path canonical = fs::canonical(home, ec);
    const QByteArray hash =
        QCryptographicHash::hash(pathBytes(ec ? home : canonical), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    if (const auto folder = runtimeFolder()) {
        const fs::path socket = *folder / ("vesk-" + hash.toStdString() + ".socket");
        socket_ = displayPath(socket);
        clearForeignLock(socket.native() + ".lock");
        lock_ = std::make_unique<QLockFile>(socket_ + QStringLiteral(".lock"));
    }
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::receive);
}

SingleInstance::Claim SingleInstance::claim(const QStringList& windowArguments) {
    // Without a private folder there is no safe place for a lock: this one runs on its own.
    if (!lock_) {
        return Claim::first;
    }
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
