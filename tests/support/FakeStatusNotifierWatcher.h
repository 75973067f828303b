#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>

namespace vesk::test {

// A panel's StatusNotifier watcher (org.kde.StatusNotifierWatcher) on a test bus, with or
// without a host registered. Like a host, it listens to the items that register with it: it
// keeps their names, the statuses they announce and the names of their menus' update signals.
class FakeStatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)

public:
    explicit FakeStatusNotifierWatcher(QDBusConnection bus, bool hostRegistered = true)
        : bus_(std::move(bus)), hostRegistered_(hostRegistered) {
        bus_.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
        bus_.registerService(interface());
    }
    ~FakeStatusNotifierWatcher() override {
        bus_.unregisterService(interface());
        bus_.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    }
    FakeStatusNotifierWatcher(const FakeStatusNotifierWatcher&) = delete;
    FakeStatusNotifierWatcher& operator=(const FakeStatusNotifierWatcher&) = delete;

    [[nodiscard]] bool hostRegistered() const { return hostRegistered_; }
    [[nodiscard]] const QStringList& items() const { return items_; }
    [[nodiscard]] const QStringList& statuses() const { return statuses_; }
    [[nodiscard]] const QStringList& menuUpdates() const { return menuUpdates_; }

public slots: // the watcher's methods, as the bus calls them
    void RegisterStatusNotifierItem(const QString& service) {
        items_ << service;
        bus_.connect(service, QStringLiteral("/StatusNotifierItem"),
                     QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("NewStatus"),
                     this, SLOT(statusChanged(QString)));
        for (const char* update : {"LayoutUpdated", "ItemsPropertiesUpdated"}) {
            bus_.connect(service, QStringLiteral("/MenuBar"),
                         QStringLiteral("com.canonical.dbusmenu"), QLatin1String(update), this,
                         SLOT(menuUpdated(QDBusMessage)));
        }
    }

private slots:
    void statusChanged(const QString& status) { statuses_ << status; }
    void menuUpdated(const QDBusMessage& signal) { menuUpdates_ << signal.member(); }

private:
    static QString interface() { return QStringLiteral("org.kde.StatusNotifierWatcher"); }

    QDBusConnection bus_;
    bool hostRegistered_;
    QStringList items_;
    QStringList statuses_;
    QStringList menuUpdates_;
};

} // namespace vesk::test
