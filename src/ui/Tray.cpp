#include "ui/Tray.h"

#include "app/AppModel.h"
#include "ui/CabinetIcon.h"
#include "ui/StatusNotifierHost.h"
#include "ui/StatusNotifierItem.h"

#include <QApplication>
#include <QPalette>

namespace vesk {

namespace {

constexpr std::chrono::milliseconds retryEvery{500};

} // namespace

Tray::Tray(AppModel& model, QMenu* menu, QDBusConnection bus, std::chrono::milliseconds patience,
           QObject* parent)
    : QObject(parent), model_(model), menu_(menu), bus_(std::move(bus)),
      host_(new StatusNotifierHost(bus_, this)),
      triesLeft_(static_cast<int>(patience / retryEvery)) {
    icon_.setContextMenu(menu);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    emit activated();
                }
            });
    connect(&model_, &AppModel::pendingCountChanged, this, &Tray::showPending);
    connect(host_, &StatusNotifierHost::answered, this, &Tray::hostAnswered);
    retry_.setInterval(retryEvery);
    connect(&retry_, &QTimer::timeout, this, &Tray::check);
    showPending();
}

void Tray::start() {
    check();
}

// QSystemTrayIcon is asked only once the bus has said there is no host: Qt decides for good, at
// the first question, whether to be a StatusNotifier item itself, under the same name as ours.
void Tray::check() {
    if (isShown()) {
        retry_.stop();
        return;
    }
    if (host_->isPresent()) {
        retry_.stop();
        showItem();
        return;
    }
    if (host_->hasAnswered() && QSystemTrayIcon::isSystemTrayAvailable()) {
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

// A host that comes while Vesk waits for a tray, or to a panel that had only an XEmbed tray,
// gets the item; one that goes away leaves it in place for its successor.
void Tray::hostAnswered() {
    if (!host_->isPresent() || item_ != nullptr) {
        return;
    }
    if (icon_.isVisible()) {
        icon_.hide();
        showItem();
    } else if (retry_.isActive()) {
        check();
    }
}

void Tray::showItem() {
    item_ = new StatusNotifierItem(*menu_, bus_, this);
    connect(item_, &StatusNotifierItem::activated, this, &Tray::activated);
    showPending();
}

void Tray::showPending() {
    const int pending = model_.pendingCount();
    const bool dark = qApp->palette().color(QPalette::Window).lightness() < 128;
    const QIcon drawn = CabinetIcon::trayIcon(pending, {.loadsNames = false, .isDark = dark});
    const QString tip =
        pending == 0 ? QStringLiteral("Vesk") : tr("Vesk: %n file(s) to tidy", nullptr, pending);
    icon_.setIcon(drawn);
    icon_.setToolTip(tip);
    if (item_ != nullptr) {
        const bool installed = QIcon::hasThemeIcon(QLatin1String(CabinetIcon::symbolicName));
        const QIcon named =
            CabinetIcon::trayIcon(pending, {.loadsNames = installed, .isDark = dark});
        item_->setIcon(named.name(), drawn);
        item_->setToolTip(tip);
        item_->setActive(pending > 0);
    }
}

} // namespace vesk
