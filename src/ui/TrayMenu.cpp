#include "ui/TrayMenu.h"

#include "app/AppModel.h"

namespace vesk {

namespace {

QString actionName(MenuEntry::Id id) {
    switch (id) {
    case MenuEntry::Id::about:
        return QStringLiteral("aboutAction");
    case MenuEntry::Id::checkForUpdates:
        return QStringLiteral("checkForUpdatesAction");
    case MenuEntry::Id::review:
        return QStringLiteral("reviewAction");
    case MenuEntry::Id::undo:
        return QStringLiteral("undoAction");
    case MenuEntry::Id::scanning:
        return QStringLiteral("scanningAction");
    case MenuEntry::Id::rescan:
        return QStringLiteral("rescanAction");
    case MenuEntry::Id::setUp:
        return QStringLiteral("setUpAction");
    case MenuEntry::Id::settings:
        return QStringLiteral("settingsAction");
    case MenuEntry::Id::help:
        return QStringLiteral("helpAction");
    case MenuEntry::Id::quit:
        return QStringLiteral("quitAction");
    case MenuEntry::Id::separator:
        break;
    }
    return {};
}

} // namespace

TrayMenu::TrayMenu(AppModel& model, bool updates, QWidget* parent)
    : QMenu(parent), model_(model), updates_(updates) {
    setObjectName(QStringLiteral("trayMenu"));
    connect(&model_, &AppModel::pendingCountChanged, this, &TrayMenu::rebuild);
    connect(&model_, &AppModel::lastBatchChanged, this, &TrayMenu::rebuild);
    connect(&model_, &AppModel::onboardedChanged, this, &TrayMenu::rebuild);
    connect(&model_, &AppModel::busyChanged, this, &TrayMenu::rebuild);
    connect(&model_, &AppModel::movingChanged, this, &TrayMenu::rebuild);
    rebuild();
}

void TrayMenu::rebuild() {
    clear();
    for (const MenuEntry& entry : MenuContent::entries(model_, updates_)) {
        if (entry.id == MenuEntry::Id::separator) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(entry.text);
        action->setObjectName(actionName(entry.id));
        action->setEnabled(entry.enabled);
        if (!entry.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(entry.shortcut));
            // Shortcuts of a tray menu work only while it is open; the windows add their own.
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        const MenuEntry::Id id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { emit chosen(id); });
    }
}

} // namespace vesk
