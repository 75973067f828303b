#pragma once

#include "app/Notifier.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

#include <array>
#include <optional>

class QDBusMessage;

namespace vesk {

// Notices through the desktop's notification service (org.freedesktop.Notifications). Every
// call is asynchronous, so the interface never waits on the bus: until the service has answered
// whether it is there, notices wait (the newest of each kind); without a service they are
// dropped. Each kind keeps one notification, replaced in place.
class DesktopNotifier final : public Notifier {
    Q_OBJECT

public:
    explicit DesktopNotifier(QDBusConnection bus, QObject* parent = nullptr);

    [[nodiscard]] bool isAvailable() const override { return state_ == State::available; }
    void show(const Notice& notice) override;
    void withdraw(Notice::Kind kind) override;

signals:
    // The bus has said whether a service is there: at the start, and whenever one comes or goes.
    void answered(bool available);

private slots:
    // QtDBus hands bus signals only to slots it finds by their signature.
    void actionInvoked(uint id, const QString& key, const QDBusMessage& message);
    void notificationClosed(uint id, uint reason, const QDBusMessage& message);

private:
    enum class State { asking, available, absent };
    struct Channel {
        std::optional<Notice> shown; // on screen under `id`
        uint id = 0;
        std::optional<Notice> next; // to show once the service can take it
        bool closeNext = false;     // to take back once the service can take it
        bool sending = false;       // a Notify waits for its id
    };

    void ask();
    void pump(Channel& channel);
    void notify(Channel& channel);
    [[nodiscard]] Channel& channel(Notice::Kind kind);
    [[nodiscard]] QDBusMessage call(const QString& method) const;

    QDBusConnection bus_;
    QDBusServiceWatcher watcher_;
    State state_ = State::asking;
    int asked_ = 0;       // answers to earlier questions are stale
    QString owner_;       // the service's unique name: only its signals count
    bool markup_ = false; // the service reads the body as markup
    bool actions_ = false;
    std::array<Channel, 2> channels_;
};

} // namespace vesk
