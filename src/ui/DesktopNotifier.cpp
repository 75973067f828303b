#include "ui/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace vesk {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString appId = QStringLiteral("app.vesk.Vesk");
// The key the service sends for a click on the notification itself.
const QString clickKey = QStringLiteral("default");

QString keyOf(Notice::Action action) {
    switch (action) {
    case Notice::Action::review:
        return QStringLiteral("review");
    case Notice::Action::undo:
        return QStringLiteral("undo");
    }
    return {};
}

std::optional<Notice::Action> actionFor(const Notice& notice, const QString& key) {
    if (key == clickKey) {
        return notice.onClick ? std::optional(notice.onClick->action) : std::nullopt;
    }
    for (const Notice::Button& button : notice.buttons) {
        if (keyOf(button.action) == key) {
            return button.action;
        }
    }
    return std::nullopt;
}

} // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject* parent)
    : Notifier(parent), bus_(std::move(bus)),
      watcher_(service, bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    // From any sender: naming the service would make QtDBus look its owner up, waiting on the
    // bus. The sender is checked on arrival instead.
    bus_.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                 SLOT(actionInvoked(uint, QString, QDBusMessage)));
    bus_.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                 SLOT(notificationClosed(uint, uint, QDBusMessage)));
    // A service that starts, stops or is replaced: what it showed is gone, and it may be the
    // first one to appear.
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        state_ = State::asking;
        for (Channel& channel : channels_) {
            channel.shown.reset();
            channel.id = 0;
        }
        ask();
    });
    ask();
}

QDBusMessage DesktopNotifier::call(const QString& method) const {
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

DesktopNotifier::Channel& DesktopNotifier::channel(Notice::Kind kind) {
    return channels_.at(static_cast<std::size_t>(kind));
}

// Asking also starts a service that the bus activates on demand.
void DesktopNotifier::ask() {
    const int question = ++asked_;
    auto* answer =
        new QDBusPendingCallWatcher(bus_.asyncCall(call(QStringLiteral("GetCapabilities"))), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this, question](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (question != asked_) {
                    return;
                }
                const QDBusPendingReply<QStringList> reply = *finished;
                if (reply.isError()) {
                    state_ = State::absent;
                    owner_.clear();
                    for (Channel& channel : channels_) {
                        channel = {};
                    }
                    emit answered(false);
                    return;
                }
                state_ = State::available;
                owner_ = reply.reply().service();
                markup_ = reply.value().contains(QStringLiteral("body-markup"));
                actions_ = reply.value().contains(QStringLiteral("actions"));
                for (Channel& channel : channels_) {
                    pump(channel);
                }
                emit answered(true);
            });
}

void DesktopNotifier::show(const Notice& notice) {
    if (state_ == State::absent) {
        return;
    }
    Channel& target = channel(notice.kind);
    target.next = notice;
    target.closeNext = false;
    pump(target);
}

void DesktopNotifier::withdraw(Notice::Kind kind) {
    Channel& target = channel(kind);
    target.next.reset();
    target.closeNext = true;
    pump(target);
}

// One request per channel at a time, so a notice always replaces the one before it.
void DesktopNotifier::pump(Channel& channel) {
    if (state_ != State::available || channel.sending) {
        return;
    }
    if (std::exchange(channel.closeNext, false) && channel.id != 0) {
        QDBusMessage close = call(QStringLiteral("CloseNotification"));
        close << channel.id;
        bus_.send(close);
        channel.id = 0;
        channel.shown.reset();
    }
    if (channel.next) {
        notify(channel);
    }
}

void DesktopNotifier::notify(Channel& channel) {
    Notice notice = std::move(*channel.next);
    channel.next.reset();
    QStringList actions;
    if (actions_) {
        if (notice.onClick) {
            actions << clickKey << notice.onClick->label;
        }
        for (const Notice::Button& button : notice.buttons) {
            actions << keyOf(button.action) << button.label;
        }
    }
    const QVariantMap hints{{QStringLiteral("desktop-entry"), appId}};
    // File names are text, not markup.
    const QString body = markup_ ? notice.body.toHtmlEscaped() : notice.body;
    QDBusMessage message = call(QStringLiteral("Notify"));
    message << QStringLiteral("Vesk") << channel.id << appId << notice.summary << body << actions
            << hints << -1;
    channel.sending = true;
    auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    const int question = asked_;
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this, &channel, question, notice = std::move(notice)](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                channel.sending = false;
                const QDBusPendingReply<uint> reply = *done;
                if (question == asked_ && !reply.isError()) {
                    channel.id = reply.value();
                    channel.shown = notice;
                }
                pump(channel);
            });
}

void DesktopNotifier::actionInvoked(uint id, const QString& key, const QDBusMessage& message) {
    if (id == 0 || message.service() != owner_) {
        return;
    }
    for (const Channel& candidate : channels_) {
        if (candidate.id != id || !candidate.shown) {
            continue;
        }
        // A copy: what the action does may replace the notice.
        const Notice notice = *candidate.shown;
        if (const auto action = actionFor(notice, key)) {
            emit invoked(notice, *action);
        }
        return;
    }
}

void DesktopNotifier::notificationClosed(uint id, uint /*reason*/, const QDBusMessage& message) {
    if (id == 0 || message.service() != owner_) {
        return;
    }
    for (Channel& candidate : channels_) {
        if (candidate.id == id) {
            candidate.id = 0;
            candidate.shown.reset();
        }
    }
}

} // namespace vesk
