#pragma once

#include "ui/DBusTrayTypes.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <vector>

class QAction;
class QMenu;

namespace vesk {

// A menu shown over com.canonical.dbusmenu, the way StatusNotifier hosts such as Plasma and
// GNOME's AppIndicator extension read a tray item's menu: its entries, with their mnemonics,
// whether they are enabled and the separators; a click on an entry triggers its action. The
// menu may be rebuilt at any time; the hosts are told once the change has settled.
class DBusMenu : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    static constexpr const char* path = "/MenuBar";

    // Exported at `path` on `bus` for as long as this lives.
    DBusMenu(QMenu& menu, QDBusConnection bus, QObject* parent = nullptr);
    ~DBusMenu() override;
    DBusMenu(const DBusMenu&) = delete;
    DBusMenu& operator=(const DBusMenu&) = delete;

    [[nodiscard]] static uint version() { return 3; }
    [[nodiscard]] QString textDirection() const;
    [[nodiscard]] static QString status() { return QStringLiteral("normal"); }
    [[nodiscard]] static QStringList iconThemePath() { return {}; }

public slots: // the interface's methods, as the bus calls them
    Q_SCRIPTABLE uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                vesk::DBusMenuLayout& layout);
    Q_SCRIPTABLE vesk::DBusMenuItemList GetGroupProperties(const QList<int>& ids,
                                                           const QStringList& propertyNames);
    Q_SCRIPTABLE QDBusVariant GetProperty(int id, const QString& name);
    Q_SCRIPTABLE void Event(int id, const QString& eventId, const QDBusVariant& data,
                            uint timestamp);
    Q_SCRIPTABLE QList<int> EventGroup(const vesk::DBusMenuEventList& events);
    Q_SCRIPTABLE bool AboutToShow(int id);
    Q_SCRIPTABLE QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    Q_SCRIPTABLE void ItemsPropertiesUpdated(const vesk::DBusMenuItemList& updated,
                                             const vesk::DBusMenuItemKeysList& removed);
    Q_SCRIPTABLE void LayoutUpdated(uint revision, int parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The entries as they are now, in menu order.
    [[nodiscard]] std::vector<DBusMenuItem> entries();
    [[nodiscard]] int idOf(const QAction& action, qsizetype position);
    [[nodiscard]] QAction* action(int id) const;
    bool click(int id, const QString& eventId);
    void tellHosts();

    QMenu& menu_;
    QDBusConnection bus_;
    QHash<QString, int> ids_; // an entry keeps its id when the menu is rebuilt
    std::vector<DBusMenuItem> shown_;
    uint revision_ = 1;
    QTimer settle_;
};

} // namespace vesk
