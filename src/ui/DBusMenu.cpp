#include "ui/DBusMenu.h"

#include <QAction>
#include <QDBusError>
#include <QEvent>
#include <QMenu>

#include <algorithm>

namespace vesk {

namespace {

// dbusmenu marks the mnemonic with "_" where Qt uses "&", so a literal "_" is doubled.
QString dbusLabel(const QString& text) {
    QString label;
    label.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i; // "&&" is a literal "&"
            if (text[i] != u'&') {
                label += u'_';
            }
        }
        label += text[i] == u'_' ? QStringLiteral("__") : QString(text[i]);
    }
    return label;
}

QVariantMap propertiesOf(const QAction& action) {
    QVariantMap properties{{QStringLiteral("visible"), action.isVisible()}};
    if (action.isSeparator()) {
        properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
        return properties;
    }
    properties.insert(QStringLiteral("label"), dbusLabel(action.text()));
    properties.insert(QStringLiteral("enabled"), action.isEnabled());
    return properties;
}

// Only the properties asked for; none named means all.
QVariantMap only(const QVariantMap& properties, const QStringList& names) {
    if (names.isEmpty()) {
        return properties;
    }
    QVariantMap kept;
    for (const QString& name : names) {
        if (properties.contains(name)) {
            kept.insert(name, properties.value(name));
        }
    }
    return kept;
}

// What an entry is called across rebuilds: its object name, or else its place.
QString keyOf(const QAction& action, qsizetype position) {
    return action.objectName().isEmpty() ? QStringLiteral("#%1").arg(position)
                                         : action.objectName();
}

} // namespace

DBusMenu::DBusMenu(QMenu& menu, QDBusConnection bus, QObject* parent)
    : QObject(parent), menu_(menu), bus_(std::move(bus)) {
    registerDBusTrayTypes();
    settle_.setSingleShot(true);
    settle_.setInterval(0);
    connect(&settle_, &QTimer::timeout, this, &DBusMenu::tellHosts);
    menu_.installEventFilter(this);
    shown_ = entries();
    bus_.registerObject(QLatin1String(path), this, QDBusConnection::ExportScriptableContents);
}

DBusMenu::~DBusMenu() {
    bus_.unregisterObject(QLatin1String(path));
}

QString DBusMenu::textDirection() const {
    return menu_.layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl")
                                                      : QStringLiteral("ltr");
}

bool DBusMenu::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ActionAdded || type == QEvent::ActionChanged ||
        type == QEvent::ActionRemoved) {
        settle_.start();
    }
    return QObject::eventFilter(watched, event);
}

int DBusMenu::idOf(const QAction& action, qsizetype position) {
    const QString key = keyOf(action, position);
    if (const int known = ids_.value(key); known != 0) {
        return known;
    }
    const int id = static_cast<int>(ids_.size()) + 1; // 0 is the root
    ids_.insert(key, id);
    return id;
}

std::vector<DBusMenuItem> DBusMenu::entries() {
    std::vector<DBusMenuItem> made;
    const QList<QAction*> actions = menu_.actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        made.push_back({idOf(*actions[i], i), propertiesOf(*actions[i])});
    }
    return made;
}

QAction* DBusMenu::action(int id) const {
    const QList<QAction*> actions = menu_.actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (ids_.value(keyOf(*actions[i], i)) == id) {
            return actions[i];
        }
    }
    return nullptr;
}

// Hosts that still show the same entries get only what changed in them.
void DBusMenu::tellHosts() {
    std::vector<DBusMenuItem> now = entries();
    const bool sameEntries = std::ranges::equal(
        now, shown_, [](const DBusMenuItem& a, const DBusMenuItem& b) { return a.id == b.id; });
    if (!sameEntries) {
        shown_ = std::move(now);
        emit LayoutUpdated(++revision_, 0);
        return;
    }
    DBusMenuItemList changed;
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i].properties != shown_[i].properties) {
            changed << now[i];
        }
    }
    shown_ = std::move(now);
    if (!changed.isEmpty()) {
        emit ItemsPropertiesUpdated(changed, {});
    }
}

uint DBusMenu::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                         DBusMenuLayout& layout) {
    layout = {parentId, {}, {}};
    if (parentId == 0) {
        layout.properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        if (recursionDepth != 0) {
            for (const DBusMenuItem& entry : entries()) {
                layout.children << DBusMenuLayout{
                    entry.id, only(entry.properties, propertyNames), {}};
            }
        }
        return revision_;
    }
    const QAction* entry = action(parentId);
    if (entry == nullptr) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No menu entry %1").arg(parentId));
        return revision_;
    }
    layout.properties = only(propertiesOf(*entry), propertyNames);
    return revision_;
}

DBusMenuItemList DBusMenu::GetGroupProperties(const QList<int>& ids,
                                              const QStringList& propertyNames) {
    DBusMenuItemList found;
    for (const DBusMenuItem& entry : entries()) {
        if (ids.isEmpty() || ids.contains(entry.id)) {
            found << DBusMenuItem{entry.id, only(entry.properties, propertyNames)};
        }
    }
    return found;
}

QDBusVariant DBusMenu::GetProperty(int id, const QString& name) {
    const QAction* entry = action(id);
    const QVariantMap properties = entry != nullptr ? propertiesOf(*entry) : QVariantMap{};
    if (!properties.contains(name)) {
        sendErrorReply(QDBusError::InvalidArgs,
                       QStringLiteral("No property %1 of menu entry %2").arg(name).arg(id));
        return QDBusVariant(QString());
    }
    return QDBusVariant(properties.value(name));
}

// Triggered from the event loop, after the host has had its answer: an entry such as "Quit"
// may end the application.
bool DBusMenu::click(int id, const QString& eventId) {
    QAction* entry = action(id);
    if (entry == nullptr) {
        return false;
    }
    if (eventId == QLatin1String("clicked") && entry->isEnabled() && !entry->isSeparator()) {
        QTimer::singleShot(0, entry, &QAction::trigger);
    }
    return true;
}

void DBusMenu::Event(int id, const QString& eventId, const QDBusVariant& /*data*/,
                     uint /*timestamp*/) {
    click(id, eventId);
}

QList<int> DBusMenu::EventGroup(const DBusMenuEventList& events) {
    QList<int> unknown;
    for (const DBusMenuEvent& event : events) {
        if (!click(event.id, event.eventId)) {
            unknown << event.id;
        }
    }
    return unknown;
}

// The entries are always up to date, so a host never needs to ask again before showing them.
bool DBusMenu::AboutToShow(int /*id*/) {
    return false;
}

QList<int> DBusMenu::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    for (const int id : ids) {
        if (id != 0 && action(id) == nullptr) {
            idErrors << id;
        }
    }
    return {};
}

} // namespace vesk
