#include "ui/DestinationMenu.h"

#include "app/AppModel.h"
#include "app/DestinationSection.h"

#include <QMenu>

namespace vesk {

void DestinationMenu::fill(QMenu& menu, AppModel& model,
                           const std::vector<std::filesystem::path>& files) {
    for (const auto& section : DestinationSection::of(model.folderChoices())) {
        menu.addSection(section.heading);
        for (const auto& item : section.items) {
            const auto folder = Destination::folder(item.target.path);
            menu.addAction(item.text, &menu,
                           [&model, folder, files] { model.setDestination(folder, files); });
        }
    }
    menu.addSeparator();
    menu.addAction(tr("Other Folder…"), &menu, [&model, files] { model.chooseFolder(files); })
        ->setObjectName(QStringLiteral("otherFolder"));
    menu.addSeparator();
    menu.addAction(tr("Move to Trash"), &menu,
                   [&model, files] { model.setDestination(Destination::trash(), files); })
        ->setObjectName(QStringLiteral("moveToTrash"));
    menu.addAction(tr("Don't Tidy"), &menu,
                   [&model, files] { model.setDestination(std::nullopt, files); })
        ->setObjectName(QStringLiteral("dontTidy"));
}

} // namespace vesk
