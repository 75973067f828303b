#pragma once

#include <QDBusConnection>
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
                               QStringList capabilities = {QStringLiteral("actions"),
                                                           QStringLiteral("body")});
    ~FakeNotifications() override;
    FakeNotifications(const FakeNotifications&) = delete;
    FakeNotifications& operator=(const FakeNotifications&) = delete;

    [[nodiscard]] const std::vector<Shown>& shown() const { return shown_; }
    [[nodiscard]] const std::vector<uint>& closed() const { return closed_; }
    // The person clicks: the action, then the notification closes.
    void invoke(uint id, const QString& key);

public slots: // the service's methods, as the bus calls them
    QStringList GetCapabilities();
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout);
    void CloseNotification(uint id);

private:
    QDBusConnection bus_;
    QStringList capabilities_;
    std::vector<Shown> shown_;
    std::vector<uint> closed_;
    uint lastId_ = 0;
};

} // namespace vesk::test
