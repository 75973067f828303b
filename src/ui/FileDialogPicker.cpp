#include "ui/FileDialogPicker.h"

#include "app/PathBoundary.h"

#include <QApplication>
#include <QFileDialog>
#include <QListView>
#include <QTreeView>

namespace vesk {

std::vector<std::filesystem::path> FileDialogPicker::pickFolders(const Request& request) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::ReadOnly, !request.canCreate);
    dialog.setDirectory(displayPath(request.startFolder));
    dialog.setLabelText(QFileDialog::Accept, request.confirmText);
    if (!request.message.isEmpty()) {
        dialog.setWindowTitle(request.message);
    }
    if (request.several) {
        // The platform dialogs pick one folder; Qt's own dialog can pick several.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        for (auto* view : dialog.findChildren<QAbstractItemView*>()) {
            if (qobject_cast<QListView*>(view) || qobject_cast<QTreeView*>(view)) {
                view->setSelectionMode(QAbstractItemView::ExtendedSelection);
            }
        }
    }
    dialog.raise();
    dialog.activateWindow();
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    std::vector<std::filesystem::path> folders;
    for (const QString& folder : dialog.selectedFiles()) {
        folders.push_back(pathFromQt(folder));
    }
    return folders;
}

} // namespace vesk
