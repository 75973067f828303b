#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class QIcon;

namespace vesk {

// The structures that a StatusNotifierItem and its com.canonical.dbusmenu menu send over the bus,
// in the shapes their hosts read.

// One size of an icon: ARGB32 pixels in network byte order, (iiay).
struct DBusImage {
    int width = 0;
    int height = 0;
    QByteArray pixels;
};
using DBusImageList = QList<DBusImage>;

// (sa(iiay)ss)
struct DBusToolTip {
    QString iconName;
    DBusImageList images;
    QString title;
    QString text;
};

// A menu entry's properties, (ia{sv}).
struct DBusMenuItem {
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemList = QList<DBusMenuItem>;

// Properties of an entry that went back to their defaults, (ias).
struct DBusMenuItemKeys {
    int id = 0;
    QStringList properties;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// An entry with its children, (ia{sv}av): each child is itself a layout, wrapped in a variant.
struct DBusMenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};

// Something the person did to an entry, such as "clicked", (isvu).
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

// The icon at the sizes panels commonly ask for, for hosts that do not load it by name.
[[nodiscard]] DBusImageList dbusImages(const QIcon& icon);

// Once, before any of these types crosses the bus.
void registerDBusTrayTypes();

QDBusArgument& operator<<(QDBusArgument& argument, const DBusImage& image);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusImage& image);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& tip);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemKeys& keys);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemKeys& keys);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayout& layout);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayout& layout);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event);

} // namespace vesk

Q_DECLARE_METATYPE(vesk::DBusImage)
Q_DECLARE_METATYPE(vesk::DBusToolTip)
Q_DECLARE_METATYPE(vesk::DBusMenuItem)
Q_DECLARE_METATYPE(vesk::DBusMenuItemKeys)
Q_DECLARE_METATYPE(vesk::DBusMenuLayout)
Q_DECLARE_METATYPE(vesk::DBusMenuEvent)
