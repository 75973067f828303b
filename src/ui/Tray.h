#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <chrono>

class QMenu;

namespace vesk {

class AppModel;

// The cabinet in the system tray with the pending count, its menu, and a click that opens the
// review window. On a StatusNotifier host it is the installed symbolic icon, given by name so
// that the panel tints it. At login the panel may come up after Vesk, so the tray is waited for a
// while; when none appears, `unavailable` asks the shell to do without.
class Tray : public QObject {
    Q_OBJECT

public:
    Tray(AppModel& model, QMenu* menu, std::chrono::milliseconds patience,
         QObject* parent = nullptr);

    void start();
    [[nodiscard]] bool isShown() const { return icon_.isVisible(); }

signals:
    void activated();
    void unavailable();

private:
    void showPending();
    void check();
    void askWhetherNamesLoad();

    AppModel& model_;
    QSystemTrayIcon icon_;
    QTimer retry_;
    int triesLeft_;
    bool hostLoadsNames_ = false;
};

} // namespace vesk
