#include "app/MenuContent.h"

#include "app/AppModel.h"

namespace vesk {

std::vector<MenuEntry> MenuContent::entries(const AppModel& model, bool updates) {
    using Id = MenuEntry::Id;
    const MenuEntry separator;
    std::vector<MenuEntry> menu{{Id::about, tr("About Vesk"), true, {}}};
    if (updates) {
        menu.push_back({Id::checkForUpdates, tr("Check for Updates…"), true, {}});
    }
    menu.push_back(separator);
    if (model.onboarded()) {
        const int pending = model.pendingCount();
        menu.push_back({Id::review,
                        pending == 0 ? tr("Review…") : tr("Review %n File(s)…", nullptr, pending),
                        true,
                        {}});
        if (model.lastBatch()) {
            menu.push_back({Id::undo, tr("Undo Last Tidy"), !model.isMoving(), {}});
        }
        menu.push_back(separator);
        if (model.isBusy()) {
            menu.push_back({Id::scanning, tr("Scanning…"), false, {}});
        } else {
            menu.push_back({Id::rescan, tr("Rescan"), true, {}});
        }
    } else {
        menu.push_back({Id::setUp, tr("Set Up Vesk…"), true, {}});
    }
    menu.push_back(separator);
    menu.push_back({Id::settings, tr("Settings…"), model.onboarded(), QStringLiteral("Ctrl+,")});
    menu.push_back({Id::help, tr("Vesk Help"), true, {}});
    menu.push_back(separator);
    menu.push_back({Id::quit, tr("Quit Vesk"), true, QStringLiteral("Ctrl+Q")});
    return menu;
}

} // namespace vesk
