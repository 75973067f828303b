#pragma once

#include <QDBusConnection>
#include <QObject>

namespace vesk {

// Whether a StatusNotifier host shows tray items on this bus: its watcher is there and says a
// host has registered. Asked of the bus without waiting, since at login the answer may come late,
// and asked again when the watcher comes or goes or a host registers.
class StatusNotifierHost : public QObject {
    Q_OBJECT

public:
    explicit StatusNotifierHost(QDBusConnection bus, QObject* parent = nullptr);

    [[nodiscard]] static QString watcherService() {
        return QStringLiteral("org.kde.StatusNotifierWatcher");
    }
    [[nodiscard]] static QString watcherPath() { return QStringLiteral("/StatusNotifierWatcher"); }

    // False until the bus has answered.
    [[nodiscard]] bool isPresent() const { return present_; }
    [[nodiscard]] bool hasAnswered() const { return answered_; }

signals:
    void answered();

private slots:
    // A slot, since the bus's signals connect only by name.
    void ask();

private:
    QDBusConnection bus_;
    bool present_ = false;
    bool answered_ = false;
};

} // namespace vesk
