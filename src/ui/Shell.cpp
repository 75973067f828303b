#include "ui/Shell.h"

#include "app/AppModel.h"
#include "app/AutostartEntry.h"
#include "app/Notices.h"
#include "app/Notifier.h"
#include "ui/ReviewWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/Tray.h"
#include "ui/TrayMenu.h"
#include "ui/WelcomeWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QShortcut>

namespace vesk {

Shell::Shell(AppModel& model, Links links, LaunchOptions options, Notifier& notifier,
             const QDBusConnection& bus, std::chrono::milliseconds trayPatience, QObject* parent)
    : QObject(parent), model_(model), links_(std::move(links)), options_(std::move(options)),
      menu_(new TrayMenu(model, links_.newVersion().has_value())),
      tray_(new Tray(model, menu_, bus, trayPatience, this)), notifier_(notifier),
      notices_(new Notices(model, notifier, {}, this)) {
    connect(menu_, &TrayMenu::chosen, this, &Shell::choose);
    connect(tray_, &Tray::activated, this, &Shell::openReview);
    connect(tray_, &Tray::unavailable, this, &Shell::doWithoutTray);
    connect(notices_, &Notices::reviewRequested, this, &Shell::openReview);
    notices_->setReviewing([this] { return review_ != nullptr && review_->isActiveWindow(); });
}

Shell::~Shell() {
    delete review_;
    delete welcome_;
    delete settings_;
    delete about_;
    delete menu_;
}

ReviewWindow* Shell::reviewWindow() const {
    return review_;
}

WelcomeWindow* Shell::welcomeWindow() const {
    return welcome_;
}

SettingsWindow* Shell::settingsWindow() const {
    return settings_;
}

void Shell::start() {
    tray_->start();
    if (!model_.onboarded() || options_.welcomeStep) {
        openWelcome(options_.welcomeStep);
    }
    if (options_.openReview) {
        openReview();
    }
}

void Shell::handle(const LaunchOptions& options) {
    options_.showPrivacy = options_.showPrivacy || options.showPrivacy;
    if (!options.opensAWindow()) {
        if (model_.onboarded()) {
            openReview();
        } else {
            openWelcome(std::nullopt);
        }
        return;
    }
    if (options.welcomeStep) {
        openWelcome(options.welcomeStep);
    }
    if (options.openReview) {
        openReview();
    }
    if (options.openSettings) {
        openSettings();
    }
}

void Shell::present(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

void Shell::addShortcuts(QWidget& window) {
    connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+,")), &window), &QShortcut::activated,
            this, [this] {
                if (model_.onboarded()) {
                    openSettings();
                }
            });
    connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+Q")), &window), &QShortcut::activated,
            this, &Shell::quitRequested);
}

void Shell::openReview() {
    if (review_ == nullptr) {
        review_ = new ReviewWindow(model_);
        addShortcuts(*review_);
        if (options_.openSettings) {
            connect(review_, &ReviewWindow::firstShown, this, &Shell::openSettings,
                    Qt::QueuedConnection);
        }
        connect(review_, &ReviewWindow::closed, this, &Shell::reviewClosed);
    }
    // A panel may hide a passive item altogether, and the menu with it: the window then is
    // the way to settings and quitting.
    if (tray_->isStatusNotifierItem()) {
        review_->setMenu(menu_);
    }
    present(*review_);
}

void Shell::doWithoutTray() {
    withoutTray_ = true;
    openReview();
    // Also when the review window was opened before the tray was given up on.
    review_->setMenu(menu_);
}

// Without a tray the review window is the way to Vesk; once it closes, notices are the only
// way left, and a later launch opens the window again.
void Shell::reviewClosed() {
    if (withoutTray_ && !notifier_.isAvailable()) {
        emit quitRequested();
    }
}

NoteAtStart Shell::privacyNotes() const {
    return options_.showPrivacy ? NoteAtStart::open : NoteAtStart::closed;
}

void Shell::openWelcome(std::optional<int> step) {
    if (welcome_ == nullptr) {
        welcome_ = new WelcomeWindow(model_, step, privacyNotes());
        addShortcuts(*welcome_);
        connect(welcome_, &WelcomeWindow::started, this, [this] {
            openReview();
            welcome_->close();
        });
        // Closed in any way, the flow is over: the next one starts afresh.
        connect(welcome_, &QDialog::finished, welcome_, &QObject::deleteLater);
    }
    present(*welcome_);
}

void Shell::openSettings() {
    if (settings_ == nullptr) {
        AutostartEntry autostart(
            AutostartEntry::standardFile(),
            AutostartEntry::commandFor(QCoreApplication::applicationFilePath(), model_.location()));
        settings_ =
            new SettingsWindow(model_, std::move(autostart), links_.support(), privacyNotes());
        settings_->setAttribute(Qt::WA_DeleteOnClose);
        addShortcuts(*settings_);
    }
    present(*settings_);
}

// Not modal and not exec()'d: a nested event loop would hold up everything else, such as a
// second launch handing over its options.
void Shell::showAbout() {
    if (about_ == nullptr) {
        about_ = new QMessageBox();
        about_->setObjectName(QStringLiteral("aboutBox"));
        about_->setAttribute(Qt::WA_DeleteOnClose);
        about_->setWindowTitle(tr("About Vesk"));
        about_->setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
        about_->setTextFormat(Qt::RichText);
        about_->setText(QStringLiteral("<b>Vesk</b> %1").arg(links_.version.toHtmlEscaped()));
        about_->setInformativeText(
            QStringLiteral("<span style=\"font-size: 11pt; color: %1\">%2</span>")
                .arg(about_->palette().color(QPalette::PlaceholderText).name(),
                     tr("Free. Works offline. Nothing leaves your computer.").toHtmlEscaped()));
    }
    present(*about_);
}

void Shell::choose(MenuEntry::Id entry) {
    switch (entry) {
    case MenuEntry::Id::about:
        showAbout();
        break;
    case MenuEntry::Id::checkForUpdates:
        if (const auto page = links_.newVersion()) {
            QDesktopServices::openUrl(*page);
        }
        break;
    case MenuEntry::Id::review:
        openReview();
        break;
    case MenuEntry::Id::undo:
        model_.undo();
        break;
    case MenuEntry::Id::rescan:
        model_.rescan();
        break;
    case MenuEntry::Id::setUp:
        openWelcome(std::nullopt);
        break;
    case MenuEntry::Id::settings:
        openSettings();
        break;
    case MenuEntry::Id::help:
        QDesktopServices::openUrl(links_.support());
        break;
    case MenuEntry::Id::quit:
        emit quitRequested();
        break;
    case MenuEntry::Id::scanning:
    case MenuEntry::Id::separator:
        break;
    }
}

} // namespace vesk
