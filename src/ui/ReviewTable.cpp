#include "ui/ReviewTable.h"

#include "app/PathBoundary.h"

#include "app/AppModel.h"
#include "app/ReviewTableModel.h"
#include "ui/DestinationMenu.h"
#include "ui/FileIcons.h"
#include "ui/FileManager.h"
#include "ui/RowDelegate.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

namespace vesk {

namespace {

std::filesystem::path fileAt(const QModelIndex& index) {
    return pathFromBytes(index.data(ReviewTableModel::FileRole).toByteArray());
}

} // namespace

ReviewTable::ReviewTable(AppModel& model, QWidget* parent)
    : QTreeView(parent), model_(model),
      rows_(new ReviewTableModel(
          model, [](const Row& row) { return QVariant(FileIcons::iconFor(row.file())); }, this)) {
    setObjectName(QStringLiteral("reviewTable"));
    setModel(rows_);
    setItemDelegate(new RowDelegate(this));
    setRootIsDecorated(false);
    setIndentation(0); // rows line up under their group's heading
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setTextElideMode(Qt::ElideMiddle);
    setIconSize(QSize(16, 16));
    setAllColumnsShowFocus(true);

    QHeaderView* head = header();
    head->setStretchLastSection(false);
    head->setSectionResizeMode(ReviewTableModel::includeColumn, QHeaderView::Fixed);
    head->setSectionResizeMode(ReviewTableModel::nameColumn, QHeaderView::Stretch);
    head->setSectionResizeMode(ReviewTableModel::destinationColumn, QHeaderView::Interactive);
    head->setMinimumSectionSize(24);
    head->resizeSection(ReviewTableModel::includeColumn, 28);
    head->resizeSection(ReviewTableModel::destinationColumn, 210);

    connect(rows_, &QAbstractItemModel::modelAboutToBeReset, this, &ReviewTable::rememberSelection);
    connect(rows_, &QAbstractItemModel::modelReset, this, [this] {
        layOutGroups();
        restoreSelection();
    });
    connect(this, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == ReviewTableModel::destinationColumn && rows_->rowAt(index)) {
            popUpDestinations(index);
        }
    });
    layOutGroups();
}

void ReviewTable::layOutGroups() {
    for (int group = 0; group < rows_->rowCount(); ++group) {
        setFirstColumnSpanned(group, {}, true);
    }
    expandAll();
}

std::vector<std::filesystem::path> ReviewTable::selectedFiles() const {
    std::vector<std::filesystem::path> files;
    // By the name column: a row's check box may be disabled, and disabled cells count as
    // unselected.
    for (const QModelIndex& index : selectionModel()->selectedRows(ReviewTableModel::nameColumn)) {
        if (rows_->rowAt(index)) {
            files.push_back(fileAt(index));
        }
    }
    return files;
}

std::vector<std::filesystem::path> ReviewTable::filesFor(const QModelIndex& index) const {
    if (!rows_->rowAt(index)) {
        return {};
    }
    const auto file = fileAt(index);
    auto selection = selectedFiles();
    if (std::find(selection.begin(), selection.end(), file) != selection.end()) {
        return selection;
    }
    return {file};
}

void ReviewTable::rememberSelection() {
    selected_ = selectedFiles();
    const QModelIndex current = currentIndex();
    current_ = rows_->rowAt(current) ? fileAt(current) : std::filesystem::path();
}

void ReviewTable::restoreSelection() {
    QItemSelection selection;
    for (const auto& file : selected_) {
        const QModelIndex index = rows_->indexOf(file);
        if (index.isValid()) {
            selection.select(index, index.siblingAtColumn(ReviewTableModel::destinationColumn));
        }
    }
    if (const QModelIndex current = rows_->indexOf(current_); current.isValid()) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ReviewTable::popUpDestinations(const QModelIndex& index) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("destinationMenu"));
    DestinationMenu::fill(menu, model_, {fileAt(index)});
    const QRect cell = visualRect(index.siblingAtColumn(ReviewTableModel::destinationColumn));
    menu.exec(viewport()->mapToGlobal(cell.bottomLeft()));
}

void ReviewTable::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        model_.toggle(selectedFiles());
        return;
    }
    // As a combo box opens: F4 or Alt+Down opens the current row's destinations.
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    if ((event->key() == Qt::Key_F4 || altDown) && rows_->rowAt(currentIndex())) {
        popUpDestinations(currentIndex());
        return;
    }
    QTreeView::keyPressEvent(event);
}

std::unique_ptr<QMenu> ReviewTable::contextMenuFor(const QModelIndex& index) {
    const auto files = filesFor(index);
    if (files.empty()) {
        return nullptr;
    }
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("rowContextMenu"));
    menu->addAction(tr("Show in File Manager"), menu.get(), [files] { FileManager::reveal(files); })
        ->setObjectName(QStringLiteral("showInFileManager"));
    QMenu* moveTo = menu->addMenu(tr("Move To"));
    moveTo->setObjectName(QStringLiteral("moveToMenu"));
    DestinationMenu::fill(*moveTo, model_, files);
    menu->addSeparator();
    menu->addAction(tr("Move to Trash"), menu.get(),
                    [this, files] { model_.setDestination(Destination::trash(), files); })
        ->setObjectName(QStringLiteral("contextMoveToTrash"));
    menu->addAction(tr("Don't Tidy"), menu.get(),
                    [this, files] { model_.setDestination(std::nullopt, files); })
        ->setObjectName(QStringLiteral("contextDontTidy"));
    return menu;
}

void ReviewTable::contextMenuEvent(QContextMenuEvent* event) {
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    const QModelIndex index = byMouse ? indexAt(event->pos()) : currentIndex();
    if (const auto menu = contextMenuFor(index)) {
        menu->exec(byMouse ? event->globalPos()
                           : viewport()->mapToGlobal(visualRect(index).bottomLeft()));
    }
}

} // namespace vesk
