#include "ui/StatusNotifierHost.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace vesk {

StatusNotifierHost::StatusNotifierHost(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    auto* watcher = new QDBusServiceWatcher(watcherService(), bus_,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &StatusNotifierHost::ask);
    bus_.connect(watcherService(), watcherPath(), watcherService(),
                 QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(ask()));
    ask();
}

void StatusNotifierHost::ask() {
    const QDBusMessage question =
        QDBusMessage::createMethodCall(watcherService(), watcherPath(),
                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("Get"))
        << watcherService() << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(question), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<QDBusVariant> reply = *call;
                call->deleteLater();
                present_ = reply.isValid() && reply.value().variant().toBool();
                answered_ = true;
                emit answered();
            });
}

} // namespace vesk
