#include "support/FakeNotifications.h"

#include <QDBusMessage>

#include <stdexcept>

namespace vesk::test {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

FakeNotifications::FakeNotifications(QDBusConnection bus, QStringList capabilities)
    : bus_(std::move(bus)), capabilities_(std::move(capabilities)) {
    if (!bus_.registerObject(path, this, QDBusConnection::ExportAllSlots) ||
        !bus_.registerService(service)) {
        throw std::runtime_error("cannot offer the notification service");
    }
}

FakeNotifications::~FakeNotifications() {
    bus_.unregisterService(service);
    bus_.unregisterObject(path);
}

void FakeNotifications::invoke(uint id, const QString& key) {
    QDBusMessage action =
        QDBusMessage::createSignal(path, service, QStringLiteral("ActionInvoked"));
    action << id << key;
    bus_.send(action);
    QDBusMessage closed =
        QDBusMessage::createSignal(path, service, QStringLiteral("NotificationClosed"));
    closed << id << 2U; // dismissed by the person
    bus_.send(closed);
}

QStringList FakeNotifications::GetCapabilities() {
    return capabilities_;
}

uint FakeNotifications::Notify(const QString& app, uint replaces, const QString& icon,
                               const QString& summary, const QString& body,
                               const QStringList& actions, const QVariantMap& hints,
                               int /*timeout*/) {
    const uint id = replaces != 0 ? replaces : ++lastId_;
    shown_.push_back({app, replaces, icon, summary, body, actions, hints, id});
    return id;
}

void FakeNotifications::CloseNotification(uint id) {
    closed_.push_back(id);
}

} // namespace vesk::test
