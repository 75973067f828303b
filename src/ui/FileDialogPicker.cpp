#include "ui/FileDialogPicker.h"

#include "app/PathBoundary.h"

#include <QApplication>
#include <QFileDialog>
#include <QListView>
#include <QTreeView>

namespace vesk {

void FileDialogPicker::pickFolders(const Request& request, QObject* context, Picked picked) {
    auto* dialog = new QFileDialog(QApplication::activeWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setOption(QFileDialog::ReadOnly, !request.canCreate);
    dialog->setDirectory(pathToQt(request.startFolder));
    dialog->setLabelText(QFileDialog::Accept, request.confirmText);
    // Qt's own dialog has no room for a line of explanation: the title carries it.
    dialog->setWindowTitle(request.message.isEmpty() ? request.title : request.message);
    // The desktop's own dialog (a portal or the platform theme's) where there is one: it is
    // the one people know. It picks one folder at a time; Qt's own dialog, used otherwise, is
    // made to pick several.
    if (request.several) {
        for (auto* view : dialog->findChildren<QAbstractItemView*>()) {
            if (qobject_cast<QListView*>(view) || qobject_cast<QTreeView*>(view)) {
                view->setSelectionMode(QAbstractItemView::ExtendedSelection);
            }
        }
    }
    QObject::connect(dialog, &QFileDialog::filesSelected, context,
                     [picked](const QStringList& selected) {
                         std::vector<std::filesystem::path> folders;
                         for (const QString& folder : selected) {
                             folders.push_back(pathFromQt(folder));
                         }
                         picked(folders);
                     });
    QObject::connect(dialog, &QDialog::rejected, context, [picked] { picked({}); });
    dialog->open();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace vesk
