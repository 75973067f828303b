#include "ui/DesktopNotifier.h"

#include "support/FakeNotifications.h"
#include "support/PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::FakeNotifications;

bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 10'000);
}

Notice notice(Notice::Kind kind, const QString& summary, const QString& body = {}) {
    Notice made;
    made.kind = kind;
    made.summary = summary;
    made.body = body;
    made.buttons = {{Notice::Action::undo, QStringLiteral("Undo")}};
    made.onClick = {{Notice::Action::review, QStringLiteral("Review")}};
    return made;
}

TEST(DesktopNotifier, WithoutAServiceNothingIsSentAndNothingIsKeptForLater) {
    test::PrivateBus bus;
    DesktopNotifier notifier(bus.connect());
    QSignalSpy answered(&notifier, &DesktopNotifier::answered);
    // Asked before the bus has answered that there is no service.
    notifier.show(notice(Notice::Kind::filesWaiting, "early"));
    ASSERT_TRUE(waitFor([&] { return answered.count() == 1; }));
    EXPECT_FALSE(answered[0][0].toBool());
    EXPECT_FALSE(notifier.isAvailable());

    // A service that starts later is found, and gets only what is shown from then on.
    FakeNotifications service(bus.connect());
    ASSERT_TRUE(waitFor([&] { return notifier.isAvailable(); }));
    notifier.show(notice(Notice::Kind::filesWaiting, "later"));
    ASSERT_TRUE(waitFor([&] { return !service.shown().empty(); }));
    EXPECT_EQ(service.shown()[0].summary, "later");
}

TEST(DesktopNotifier, EachKindReplacesItsOwnNoticeAndNamesAreNeverMarkup) {
    for (const bool markup : {false, true}) {
        test::PrivateBus bus;
        QStringList capabilities{"actions", "body"};
        if (markup) {
            capabilities << "body-markup";
        }
        FakeNotifications service(bus.connect(), capabilities);
        DesktopNotifier notifier(bus.connect());
        // Shown before the service has answered, and again before its id is known: one
        // notification each, the newest.
        notifier.show(notice(Notice::Kind::moves, "first"));
        notifier.show(notice(Notice::Kind::moves, "Moved 1 file", "<b>R&D</b>.pdf: gone"));
        notifier.show(notice(Notice::Kind::filesWaiting, "2 files are ready to tidy"));
        ASSERT_TRUE(waitFor([&] { return service.shown().size() == 2; })) << markup;
        const auto& first = service.shown()[0];
        const auto moves = first.summary == "Moved 1 file" ? first : service.shown()[1];
        EXPECT_EQ(moves.summary, "Moved 1 file");
        EXPECT_EQ(moves.body,
                  markup ? "&lt;b&gt;R&amp;D&lt;/b&gt;.pdf: gone" : "<b>R&D</b>.pdf: gone");
        EXPECT_EQ(moves.actions, (QStringList{"default", "Review", "undo", "Undo"}));
        EXPECT_NE(service.shown()[0].id, service.shown()[1].id);

        notifier.show(notice(Notice::Kind::moves, "Put back 1 file"));
        ASSERT_TRUE(waitFor([&] { return service.shown().size() == 3; }));
        EXPECT_EQ(service.shown()[2].replaces, moves.id);
        notifier.withdraw(Notice::Kind::moves);
        ASSERT_TRUE(waitFor([&] { return !service.closed().empty(); }));
        EXPECT_EQ(service.closed(), std::vector{moves.id});
    }
}

TEST(DesktopNotifier, ButtonsAndClicksComeBackOnlyFromTheServiceThatShowedThem) {
    test::PrivateBus bus;
    FakeNotifications service(bus.connect());
    const QDBusConnection notifierBus = bus.connect();
    DesktopNotifier notifier(notifierBus);
    QSignalSpy invoked(&notifier, &Notifier::invoked);
    Notice moved = notice(Notice::Kind::moves, "Moved 1 file");
    moved.batch = "B4";
    notifier.show(moved);
    ASSERT_TRUE(waitFor([&] { return service.shown().size() == 1; }));
    const uint id = service.shown()[0].id;

    // Another client on the bus cannot pretend to be the service.
    QDBusConnection impostor = bus.connect();
    QDBusMessage fake = QDBusMessage::createSignal(
        "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "ActionInvoked");
    fake << id << QStringLiteral("undo");
    impostor.send(fake);
    // Once the bus has answered the impostor, its signal has gone out before the service's.
    static_cast<void>(impostor.interface()->isServiceRegistered("org.freedesktop.DBus"));
    service.invoke(id + 1, "undo"); // not ours
    service.invoke(id, "default");
    ASSERT_TRUE(waitFor([&] { return invoked.count() == 1; }));
    EXPECT_EQ(invoked[0][0].value<Notice>(), moved);
    EXPECT_EQ(invoked[0][1].value<Notice::Action>(), Notice::Action::review);

    // The click closed it: once the bus has answered the notifier's connection, the close that
    // came before the answer is queued there too.
    static_cast<void>(notifierBus.interface()->isServiceRegistered("org.freedesktop.DBus"));
    QCoreApplication::processEvents();
    // Shown again it is a new notification, whose button works.
    notifier.show(moved);
    ASSERT_TRUE(waitFor([&] { return service.shown().size() == 2; }));
    EXPECT_EQ(service.shown()[1].replaces, 0U);
    service.invoke(service.shown()[1].id, "undo");
    ASSERT_TRUE(waitFor([&] { return invoked.count() == 2; }));
    EXPECT_EQ(invoked[1][1].value<Notice::Action>(), Notice::Action::undo);
}

} // namespace
} // namespace vesk
