#include "ui/Tray.h"

#include "app/AppModel.h"
#include "ui/CabinetIcon.h"

#include <QApplication>
#include <QPalette>

namespace vesk {

namespace {

constexpr std::chrono::milliseconds retryEvery{500};

} // namespace

Tray::Tray(AppModel& model, QMenu* menu, std::chrono::milliseconds patience, QObject* parent)
    : QObject(parent), model_(model), triesLeft_(static_cast<int>(patience / retryEvery)) {
    icon_.setContextMenu(menu);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    emit activated();
                }
            });
    connect(&model_, &AppModel::rowsChanged, this, &Tray::showPending);
    retry_.setInterval(retryEvery);
    connect(&retry_, &QTimer::timeout, this, &Tray::check);
    showPending();
}

void Tray::start() {
    check();
}

void Tray::check() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        retry_.stop();
        icon_.show();
        return;
    }
    if (triesLeft_-- > 0) {
        retry_.start();
        return;
    }
    retry_.stop();
    emit unavailable();
}

void Tray::showPending() {
    const auto pending = static_cast<int>(model_.pending().size());
    icon_.setIcon(CabinetIcon::trayIcon(pending, qApp->palette().color(QPalette::WindowText)));
    icon_.setToolTip(pending == 0 ? QStringLiteral("Vesk")
                                  : tr("Vesk: %n file(s) to tidy", nullptr, pending));
}

} // namespace vesk
