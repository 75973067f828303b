#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <vector>

namespace vesk::test {

// A scripted notification service (org.freedesktop.Notifications) on a test bus. It keeps every
// notification it is asked to show or close, and sends the signals that a click would.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Shown {
        QString app;
        uint replaces = 0;
        QString icon;
        QString summary;
        QString body;
        QStringList actions; // key, label, key, label, …
        QVariantMap hints;
        uint id = 0;
    };

    explicit FakeNotifications(QDBusConnection bus,
                               QStringList capabilities = {QStringLiteral("actions")})
        : bus_(std::move(bus)), capabilities_(std::move(capabilities)) {
        bus_.registerObject(path(), this, QDBusConnection::ExportAllSlots);
        bus_.registerService(interface());
    }

    [[nodiscard]] const std::vector<Shown>& shown() const { return shown_; }
    [[nodiscard]] const std::vector<uint>& closed() const { return closed_; }

    // The person clicks: the action, then the notification closes.
    void invoke(uint id, const QString& key) {
        bus_.send(QDBusMessage::createSignal(path(), interface(), QStringLiteral("ActionInvoked"))
                  << id << key);
        bus_.send(
            QDBusMessage::createSignal(path(), interface(), QStringLiteral("NotificationClosed"))
            << id << 2U);
    }

public slots: // the service's methods, as the bus calls them
    QStringList GetCapabilities() { return capabilities_; }
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int /*timeout*/) {
        const uint id = replaces != 0 ? replaces : static_cast<uint>(shown_.size()) + 1;
        shown_.push_back({app, replaces, icon, summary, body, actions, hints, id});
        return id;
    }
    void CloseNotification(uint id) { closed_.push_back(id); }

private:
    static QString path() { return QStringLiteral("/org/freedesktop/Notifications"); }
    static QString interface() { return QStringLiteral("org.freedesktop.Notifications"); }

    QDBusConnection bus_;
    QStringList capabilities_;
    std::vector<Shown> shown_;
    std::vector<uint> closed_;
};

} // namespace vesk::test
