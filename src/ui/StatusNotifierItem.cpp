#include "ui/StatusNotifierItem.h"

#include "ui/DBusMenu.h"
#include "ui/StatusNotifierHost.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QMenu>

namespace vesk {

StatusNotifierItem::StatusNotifierItem(QMenu& menu, QDBusConnection bus, QObject* parent)
    : QObject(parent), menu_(menu), bus_(std::move(bus)) {
    new DBusMenu(menu, bus_, this);
    registerDBusTrayTypes();
    bus_.registerObject(QLatin1String(path), this, QDBusConnection::ExportScriptableContents);
    bus_.registerService(serviceName());
    // A panel that restarts brings a new watcher, which knows nothing of the items before it.
    auto* watcher = new QDBusServiceWatcher(StatusNotifierHost::watcherService(), bus_,
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
            &StatusNotifierItem::registerWithWatcher);
    registerWithWatcher();
}

StatusNotifierItem::~StatusNotifierItem() {
    bus_.unregisterService(serviceName());
    bus_.unregisterObject(QLatin1String(path));
}

QString StatusNotifierItem::serviceName() {
    return QStringLiteral("org.kde.StatusNotifierItem-%1-1")
        .arg(QCoreApplication::applicationPid());
}

QString StatusNotifierItem::id() {
    const QString desktop = QGuiApplication::desktopFileName();
    return desktop.isEmpty() ? QCoreApplication::applicationName() : desktop;
}

QDBusObjectPath StatusNotifierItem::menuPath() {
    return QDBusObjectPath(QLatin1String(DBusMenu::path));
}

// Without waiting for an answer: a watcher that is gone meanwhile brings its successor here.
void StatusNotifierItem::registerWithWatcher() {
    bus_.send(QDBusMessage::createMethodCall(StatusNotifierHost::watcherService(),
                                             StatusNotifierHost::watcherPath(),
                                             StatusNotifierHost::watcherService(),
                                             QStringLiteral("RegisterStatusNotifierItem"))
              << serviceName());
}

QString StatusNotifierItem::status() const {
    return active_ ? QStringLiteral("Active") : QStringLiteral("Passive");
}

void StatusNotifierItem::setActive(bool active) {
    if (active == active_) {
        return;
    }
    active_ = active;
    emit NewStatus(status());
}

void StatusNotifierItem::setIcon(const QString& name, const QIcon& drawn) {
    iconName_ = name;
    pixmaps_ = dbusImages(drawn);
    emit NewIcon();
}

void StatusNotifierItem::setToolTip(const QString& text) {
    if (text == toolTip_) {
        return;
    }
    toolTip_ = text;
    emit NewToolTip();
}

DBusToolTip StatusNotifierItem::toolTip() const {
    return {{}, {}, toolTip_, {}};
}

void StatusNotifierItem::Activate(int /*x*/, int /*y*/) {
    emit activated();
}

// A middle click, which the tray icon elsewhere ignores too.
void StatusNotifierItem::SecondaryActivate(int /*x*/, int /*y*/) {}

// Hosts that do not read the menu over the bus ask for it to be shown at the pointer.
void StatusNotifierItem::ContextMenu(int x, int y) {
    menu_.popup(QPoint(x, y));
}

void StatusNotifierItem::Scroll(int /*delta*/, const QString& /*orientation*/) {}

} // namespace vesk
