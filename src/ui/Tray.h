#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <chrono>

class QMenu;

namespace vesk {

class AppModel;
class StatusNotifierHost;
class StatusNotifierItem;

// The cabinet in the system tray with the pending count, its menu, and a click that opens the
// review window. Where a StatusNotifier host is on the bus, Vesk's own item shows it: the
// installed symbolic icon by name, which the panel tints, and a passive status while nothing
// waits. Elsewhere (an XEmbed tray) it is a QSystemTrayIcon drawn for the panel. At login the
// panel may come up after Vesk, so the tray is waited for a while; when none appears,
// `unavailable` asks the shell to do without.
class Tray : public QObject {
    Q_OBJECT

public:
    Tray(AppModel& model, QMenu* menu, QDBusConnection bus, std::chrono::milliseconds patience,
         QObject* parent = nullptr);

    void start();
    [[nodiscard]] bool isShown() const { return item_ != nullptr || icon_.isVisible(); }
    // Whether it is shown as Vesk's own StatusNotifier item rather than by QSystemTrayIcon.
    [[nodiscard]] bool isStatusNotifierItem() const { return item_ != nullptr; }

signals:
    void activated();
    void unavailable();

private:
    void showPending();
    void check();
    void hostAnswered();
    void showItem();

    AppModel& model_;
    QMenu* menu_;
    QDBusConnection bus_;
    QSystemTrayIcon icon_;
    StatusNotifierHost* host_;
    StatusNotifierItem* item_ = nullptr;
    QTimer retry_;
    int triesLeft_;
};

} // namespace vesk
