#include "ui/Tray.h"

#include "support/FakeStatusNotifierWatcher.h"
#include "support/ModelHome.h"
#include "support/PrivateBus.h"
#include "ui/DBusMenu.h"
#include "ui/StatusNotifierItem.h"
#include "ui/TrayMenu.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace vesk {
namespace {

using namespace std::chrono_literals;
using test::FakeStatusNotifierWatcher;

bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 10'000);
}

// What a host sees on the bus, asked the way a host asks.
class Host {
public:
    explicit Host(QDBusConnection bus) : bus_(std::move(bus)) {}

    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(StatusNotifierItem::serviceName(),
                                                              path, interface, method);
        message.setArguments(arguments);
        // The item answers from this thread, so the call must keep the event loop going.
        return bus_.call(message, QDBus::BlockWithGui);
    }
    QString property(const QString& name) { return value(name).toString(); }
    QVariant value(const QString& name) {
        const QDBusMessage reply =
            call(QStringLiteral("/StatusNotifierItem"),
                 QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {QStringLiteral("org.kde.StatusNotifierItem"), name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    DBusMenuLayout layout() {
        const QDBusMessage reply =
            call(QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
                 QStringLiteral("GetLayout"), {0, -1, QStringList{}});
        return qdbus_cast<DBusMenuLayout>(reply.arguments().value(1));
    }
    // The entries as TrayMenuTest shows them: separators as "-", disabled ones in brackets.
    QStringList entries() {
        QStringList shown;
        for (const DBusMenuLayout& entry : layout().children) {
            const QVariantMap& p = entry.properties;
            if (p.value("type") == "separator") {
                shown << "-";
                continue;
            }
            const QString label = p.value("label").toString();
            shown << (p.value("enabled").toBool() ? label : "[" + label + "]");
        }
        return shown;
    }
    int idOf(const QString& label) {
        for (const DBusMenuLayout& entry : layout().children) {
            if (entry.properties.value("label") == label) {
                return entry.id;
            }
        }
        return -1;
    }
    void click(int id) {
        call(QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
             QStringLiteral("Event"),
             {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QString())), 0U});
    }

private:
    QDBusConnection bus_;
};

class TrayTest : public testing::Test, protected test::ModelHome {
protected:
    TrayTest() : ModelHome({"Documents/Invoices/Invoice Telenor March.pdf"}) {
        registerDBusTrayTypes();
    }

    test::PrivateBus bus;
    QDBusConnection client{bus.connect()};
    Host host{client};
};

TEST_F(TrayTest, WithAHostTheItemIsPassiveUntilFilesWaitAndItsMenuIsTheTrayMenu) {
    FakeStatusNotifierWatcher watcher(bus.connect());
    const auto model = makeModel(onboardedSettings());
    ASSERT_TRUE(settle(*model));
    TrayMenu menu(*model, false);
    Tray tray(*model, &menu, bus.connect(), 1h);
    QSignalSpy activated(&tray, &Tray::activated);
    QSignalSpy chosen(&menu, &TrayMenu::chosen);
    tray.start();
    ASSERT_TRUE(waitFor([&] { return !watcher.items().isEmpty(); }));
    EXPECT_EQ(watcher.items(), QStringList{StatusNotifierItem::serviceName()});
    EXPECT_TRUE(tray.isStatusNotifierItem());
    EXPECT_EQ(
        StatusNotifierItem::serviceName(),
        QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid()));

    EXPECT_EQ(host.property("Status"), "Passive");
    EXPECT_EQ(host.property("Category"), "ApplicationStatus");
    EXPECT_EQ(host.value("ItemIsMenu"), false);
    EXPECT_EQ(host.value("Menu").value<QDBusObjectPath>().path(), "/MenuBar");
    EXPECT_EQ(qdbus_cast<DBusToolTip>(host.value("ToolTip")).title, "Vesk");
    const auto pixmaps = qdbus_cast<DBusImageList>(host.value("IconPixmap"));
    ASSERT_FALSE(pixmaps.isEmpty()); // for hosts that cannot load the icon by name
    EXPECT_EQ(pixmaps[0].pixels.size(), 4 * pixmaps[0].width * pixmaps[0].height);
    EXPECT_EQ(host.entries(), (QStringList{"About Vesk", "-", "Review…", "-", "Rescan", "-",
                                           "Settings…", "Vesk Help", "-", "Quit Vesk"}));

    host.call("/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate", {10, 10});
    ASSERT_TRUE(waitFor([&] { return activated.count() == 1; }));
    host.click(host.idOf("Settings…"));
    ASSERT_TRUE(waitFor([&] { return chosen.count() == 1; }));
    EXPECT_EQ(chosen[0][0].value<MenuEntry::Id>(), MenuEntry::Id::settings);

    // Files wait: the item says so, and hosts hear that the menu changed.
    const auto file = download("Invoice Telenor May.pdf");
    model->rescan();
    ASSERT_TRUE(settle(*model));
    ASSERT_TRUE(waitFor([&] { return !watcher.statuses().isEmpty(); }));
    EXPECT_EQ(watcher.statuses(), QStringList{"Active"});
    EXPECT_EQ(host.property("Status"), "Active");
    EXPECT_EQ(qdbus_cast<DBusToolTip>(host.value("ToolTip")).title, "Vesk: 1 file to tidy");
    EXPECT_TRUE(host.entries().contains("Review 1 File…"));
    EXPECT_TRUE(watcher.menuUpdates().contains("LayoutUpdated"));

    // Unticked, the file no longer counts: the same entries, one of them relabelled.
    model->toggle(file);
    ASSERT_TRUE(waitFor([&] { return watcher.statuses().size() == 2; }));
    EXPECT_EQ(watcher.statuses().last(), "Passive");
    ASSERT_TRUE(waitFor([&] { return watcher.menuUpdates().last() == "ItemsPropertiesUpdated"; }));
    EXPECT_TRUE(host.entries().contains("Review…"));
}

TEST_F(TrayTest, WithoutAHostTheTrayIsLeftToQSystemTrayIcon) {
    // No watcher at all, and a watcher without a host, such as a panel that lost its tray.
    for (const bool watcherRuns : {false, true}) {
        std::optional<FakeStatusNotifierWatcher> watcher;
        if (watcherRuns) {
            watcher.emplace(bus.connect(), false);
        }
        const auto model = makeModel(onboardedSettings());
        TrayMenu menu(*model, false);
        Tray tray(*model, &menu, bus.connect(), 1500ms);
        QSignalSpy unavailable(&tray, &Tray::unavailable);
        tray.start();
        // The offscreen platform has no tray either, so Vesk gives up on one.
        ASSERT_TRUE(waitFor([&] { return unavailable.count() == 1; })) << watcherRuns;
        EXPECT_FALSE(tray.isStatusNotifierItem());
        EXPECT_FALSE(client.interface()->isServiceRegistered(StatusNotifierItem::serviceName()));
        if (watcher) {
            EXPECT_TRUE(watcher->items().isEmpty());
        }
    }
}

TEST_F(TrayTest, AWatcherThatRestartsGetsTheItemAgain) {
    const auto model = makeModel(onboardedSettings());
    TrayMenu menu(*model, false);
    std::optional<FakeStatusNotifierWatcher> watcher(std::in_place, bus.connect());
    Tray tray(*model, &menu, bus.connect(), 1h);
    tray.start();
    ASSERT_TRUE(waitFor([&] { return watcher->items().size() == 1; }));
    watcher.reset();
    watcher.emplace(bus.connect());
    ASSERT_TRUE(waitFor([&] { return watcher->items().size() == 1; }));
    EXPECT_EQ(watcher->items(), QStringList{StatusNotifierItem::serviceName()});
}

// Mnemonics and states as dbusmenu writes them.
TEST(DBusMenu, EntriesCarryTheirMnemonicsStatesAndSeparators) {
    test::PrivateBus bus;
    registerDBusTrayTypes();
    QMenu menu;
    menu.addAction(QStringLiteral("&Open"));
    menu.addAction(QStringLiteral("Save && Quit"));
    menu.addAction(QStringLiteral("snake_case &file"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("Gone"))->setEnabled(false);
    menu.addAction(QStringLiteral("Hidden"))->setVisible(false);
    QDBusConnection served = bus.connect();
    served.registerService(StatusNotifierItem::serviceName());
    DBusMenu exported(menu, served);
    Host host(bus.connect());
    const DBusMenuLayout layout = host.layout();
    EXPECT_EQ(layout.properties.value("children-display"), "submenu");
    ASSERT_EQ(layout.children.size(), 6);
    QStringList labels;
    for (const DBusMenuLayout& entry : layout.children) {
        labels << entry.properties.value("label", "-").toString();
    }
    EXPECT_EQ(labels,
              (QStringList{"_Open", "Save & Quit", "snake__case _file", "-", "Gone", "Hidden"}));
    EXPECT_EQ(layout.children[3].properties.value("type"), "separator");
    EXPECT_EQ(layout.children[4].properties.value("enabled"), false);
    EXPECT_EQ(layout.children[5].properties.value("visible"), false);
    EXPECT_EQ(layout.children[0].properties.value("enabled"), true);
    const QString dbusmenu = QStringLiteral("com.canonical.dbusmenu");
    const auto group = qdbus_cast<DBusMenuItemList>(
        host.call("/MenuBar", dbusmenu, "GetGroupProperties",
                  {QVariant::fromValue(QList<int>{layout.children[1].id}), QStringList{"label"}})
            .arguments()
            .value(0));
    ASSERT_EQ(group.size(), 1);
    EXPECT_EQ(group[0].properties, (QVariantMap{{"label", "Save & Quit"}}));
    const DBusMenuEventList unknown{{999, QStringLiteral("clicked"), QDBusVariant(QString()), 0}};
    EXPECT_EQ(qdbus_cast<QList<int>>(
                  host.call("/MenuBar", dbusmenu, "EventGroup", {QVariant::fromValue(unknown)})
                      .arguments()
                      .value(0)),
              QList<int>{999});

    // A click on a disabled entry does nothing; on an enabled one, it triggers it.
    QSignalSpy triggered(&menu, &QMenu::triggered);
    host.click(layout.children[4].id);
    host.click(layout.children[0].id);
    ASSERT_TRUE(waitFor([&] { return triggered.count() >= 1; }));
    QTest::qWait(50);
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(triggered[0][0].value<QAction*>()->text(), "&Open");

    // A new label is news of that entry alone; a new entry, of the whole layout.
    QSignalSpy changed(&exported, &DBusMenu::ItemsPropertiesUpdated);
    QSignalSpy relaid(&exported, &DBusMenu::LayoutUpdated);
    menu.actions().constFirst()->setText(QStringLiteral("&Open Again"));
    ASSERT_TRUE(waitFor([&] { return changed.count() == 1; }));
    const auto updated = changed[0][0].value<DBusMenuItemList>();
    ASSERT_EQ(updated.size(), 1);
    EXPECT_EQ(updated[0].id, layout.children[0].id);
    EXPECT_EQ(updated[0].properties.value("label").toString(), "_Open Again");
    menu.addAction(QStringLiteral("New"));
    ASSERT_TRUE(waitFor([&] { return relaid.count() == 1; }));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(host.layout().children.size(), 7);
}

} // namespace
} // namespace vesk
