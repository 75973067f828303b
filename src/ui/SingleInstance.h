#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

#include <filesystem>
#include <memory>

namespace vesk {

// One Vesk per home folder: the first launch holds a lock and listens on a socket in a folder
// only this user can enter ($XDG_RUNTIME_DIR, else one made for it); a later launch for the
// same home hands its window options over and leaves, so a second autostart or launcher click
// never gives two tray icons or two movers.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const std::filesystem::path& home, QObject* parent = nullptr);

    enum class Claim {
        first,       // this is the one Vesk for the home; it listens for later launches
        handedOver,  // another one runs and took the window options
        unreachable, // another one holds the home but does not answer
    };
    [[nodiscard]] Claim claim(const QStringList& windowArguments);

signals:
    void arrived(const QStringList& windowArguments);

private:
    [[nodiscard]] bool handOver(const QStringList& windowArguments) const;
    void receive();

    QString socket_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

} // namespace vesk
