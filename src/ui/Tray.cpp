#include "ui/Tray.h"

#include "app/AppModel.h"
#include "ui/CabinetIcon.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QPalette>

namespace vesk {

namespace {

constexpr std::chrono::milliseconds retryEvery{500};
const QString hostService = QStringLiteral("org.kde.StatusNotifierWatcher");

} // namespace

Tray::Tray(AppModel& model, QMenu* menu, std::chrono::milliseconds patience, QObject* parent)
    : QObject(parent), model_(model), triesLeft_(static_cast<int>(patience / retryEvery)) {
    icon_.setContextMenu(menu);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    emit activated();
                }
            });
    connect(&model_, &AppModel::pendingCountChanged, this, &Tray::showPending);
    retry_.setInterval(retryEvery);
    connect(&retry_, &QTimer::timeout, this, &Tray::check);
    // A panel that starts or restarts later may load names where the one before did not.
    auto* host = new QDBusServiceWatcher(hostService, QDBusConnection::sessionBus(),
                                         QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(host, &QDBusServiceWatcher::serviceOwnerChanged, this, &Tray::askWhetherNamesLoad);
    showPending();
    askWhetherNamesLoad();
}

// Asked of the bus without waiting for its answer, which may come late at login.
void Tray::askWhetherNamesLoad() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (bus == nullptr) {
        return;
    }
    auto* answer = new QDBusPendingCallWatcher(
        bus->asyncCall(QStringLiteral("NameHasOwner"), hostService), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<bool> reply = *call;
                call->deleteLater();
                hostLoadsNames_ = reply.isValid() && reply.value();
                showPending();
            });
}

void Tray::start() {
    check();
}

void Tray::check() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        retry_.stop();
        icon_.show();
        return;
    }
    if (triesLeft_-- > 0) {
        retry_.start();
        return;
    }
    retry_.stop();
    emit unavailable();
}

void Tray::showPending() {
    const int pending = model_.pendingCount();
    const CabinetIcon::Panel panel{
        .loadsNames = hostLoadsNames_ &&
                      QIcon::hasThemeIcon(QLatin1String(CabinetIcon::symbolicName)),
        .isDark = qApp->palette().color(QPalette::Window).lightness() < 128};
    icon_.setIcon(CabinetIcon::trayIcon(pending, panel));
    icon_.setToolTip(pending == 0 ? QStringLiteral("Vesk")
                                  : tr("Vesk: %n file(s) to tidy", nullptr, pending));
}

} // namespace vesk
