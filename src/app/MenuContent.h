#pragma once

#include <QCoreApplication>
#include <QString>

#include <vector>

namespace vesk {

class AppModel;

// The tray menu for the model's current state, as data, so what it shows can be tested
// without a display; the interface turns it into a menu.
struct MenuEntry {
    enum class Id {
        about,
        checkForUpdates,
        review,
        undo,
        scanning,
        rescan,
        setUp,
        settings,
        help,
        quit,
        separator,
    };

    Id id = Id::separator;
    QString text;
    bool enabled = true;
    QString shortcut; // portable text, e.g. "Ctrl+,"

    bool operator==(const MenuEntry&) const = default;
};

class MenuContent {
    Q_DECLARE_TR_FUNCTIONS(MenuContent)

public:
    // `updates`: whether there is an update page to offer.
    [[nodiscard]] static std::vector<MenuEntry> entries(const AppModel& model, bool updates);
};

} // namespace vesk
