#pragma once

#include <QCoreApplication>

#include <filesystem>
#include <vector>

class QMenu;

namespace vesk {

class AppModel;

// The destinations a row can be sent to: the folder choices in sections, another folder, the
// Trash, or nowhere. Used as each row's pop-up and in the context menu, where it acts on
// every selected row.
class DestinationMenu {
    Q_DECLARE_TR_FUNCTIONS(DestinationMenu)

public:
    static void fill(QMenu& menu, AppModel& model, const std::vector<std::filesystem::path>& files);
};

} // namespace vesk
