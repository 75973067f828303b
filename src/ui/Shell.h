#pragma once

#include "app/LaunchOptions.h"
#include "app/Links.h"
#include "app/MenuContent.h"
#include "ui/PrivacyInfo.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <optional>

class QMessageBox;
class QWidget;

namespace vesk {

class AppModel;
class Notices;
class Notifier;
class ReviewWindow;
class SettingsWindow;
class Tray;
class TrayMenu;
class WelcomeWindow;

// The application around the one model: the tray and its menu, the notices, and one window of
// each kind, opened and raised on request. Closing a window never quits; only the menu does (or,
// on a desktop with neither a tray nor notifications, closing the review window that stands in
// for the tray).
class Shell : public QObject {
    Q_OBJECT

public:
    // `bus`: where the tray looks for a StatusNotifier host.
    Shell(AppModel& model, Links links, LaunchOptions options, Notifier& notifier,
          const QDBusConnection& bus, std::chrono::milliseconds trayPatience = std::chrono::seconds(5),
          QObject* parent = nullptr);
    ~Shell() override;

    // Shows the tray and the windows the command line asks for.
    void start();
    // Window options handed over by a later launch; one that asks for no window gets the review
    // (or, before setting up, the welcome).
    void handle(const LaunchOptions& options);

    void openReview();
    void openWelcome(std::optional<int> step);
    void openSettings();
    void showAbout();

    [[nodiscard]] ReviewWindow* reviewWindow() const;
    [[nodiscard]] WelcomeWindow* welcomeWindow() const;
    [[nodiscard]] SettingsWindow* settingsWindow() const;
    [[nodiscard]] TrayMenu* menu() const { return menu_; }

signals:
    // Vesk should end: "Quit Vesk", or the last way to reach it was closed.
    void quitRequested();

private:
    void choose(MenuEntry::Id entry);
    void doWithoutTray();
    void reviewClosed();
    void addShortcuts(QWidget& window);
    static void present(QWidget& window);
    [[nodiscard]] NoteAtStart privacyNotes() const;

    AppModel& model_;
    Links links_;
    LaunchOptions options_;
    TrayMenu* menu_;
    Tray* tray_;
    Notifier& notifier_;
    Notices* notices_;
    QPointer<ReviewWindow> review_;
    QPointer<WelcomeWindow> welcome_;
    QPointer<SettingsWindow> settings_;
    QPointer<QMessageBox> about_;
    bool withoutTray_ = false;
};

} // namespace vesk
