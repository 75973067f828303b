#pragma once

#include "ui/DBusTrayTypes.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QIcon>
#include <QObject>

class QMenu;

namespace vesk {

// Vesk's item in a StatusNotifier host's tray, on the bus as
// org.kde.StatusNotifierItem-<pid>-1. Unlike QSystemTrayIcon it can say "Passive" when nothing
// waits, so that panels may tuck it away. It registers with the host's watcher, and again
// whenever a watcher starts; its menu is the given one, over com.canonical.dbusmenu.
class StatusNotifierItem : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(vesk::DBusImageList IconPixmap READ iconPixmap)
    Q_PROPERTY(vesk::DBusToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menuPath)

public:
    static constexpr const char* path = "/StatusNotifierItem";

    StatusNotifierItem(QMenu& menu, QDBusConnection bus, QObject* parent = nullptr);
    ~StatusNotifierItem() override;
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    [[nodiscard]] static QString serviceName();

    // Active: something waits for the person.
    void setActive(bool active);
    // `name`: an icon the host may load from its theme, tinted to suit the panel; `drawn`: the
    // pixels for hosts that cannot.
    void setIcon(const QString& name, const QIcon& drawn);
    void setToolTip(const QString& text);

    [[nodiscard]] static QString category() { return QStringLiteral("ApplicationStatus"); }
    [[nodiscard]] static QString id();
    [[nodiscard]] static QString title() { return QStringLiteral("Vesk"); }
    [[nodiscard]] QString status() const;
    [[nodiscard]] QString iconName() const { return iconName_; }
    [[nodiscard]] DBusImageList iconPixmap() const { return pixmaps_; }
    [[nodiscard]] DBusToolTip toolTip() const;
    [[nodiscard]] static bool itemIsMenu() { return false; }
    [[nodiscard]] static QDBusObjectPath menuPath();

public slots: // the interface's methods, as the bus calls them
    Q_SCRIPTABLE void Activate(int x, int y);
    Q_SCRIPTABLE void SecondaryActivate(int x, int y);
    Q_SCRIPTABLE void ContextMenu(int x, int y);
    Q_SCRIPTABLE void Scroll(int delta, const QString& orientation);

signals:
    // A click on the item.
    void activated();

    Q_SCRIPTABLE void NewStatus(const QString& status);
    Q_SCRIPTABLE void NewIcon();
    Q_SCRIPTABLE void NewToolTip();
    Q_SCRIPTABLE void NewTitle();

private:
    void registerWithWatcher();

    QMenu& menu_;
    QDBusConnection bus_;
    bool active_ = false;
    QString iconName_;
    DBusImageList pixmaps_;
    QString toolTip_;
};

} // namespace vesk
