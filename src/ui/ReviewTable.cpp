#include "ui/ReviewTable.h"

#include "app/AppModel.h"
#include "app/PathBoundary.h"
#include "app/ReviewTableModel.h"
#include "ui/DestinationChooser.h"
#include "ui/FileIcons.h"
#include "ui/FileManager.h"
#include "ui/RowDelegate.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>

namespace vesk {

namespace {

std::filesystem::path fileAt(const QModelIndex& index) {
    return pathFromBytes(index.data(ReviewTableModel::FileRole).toByteArray());
}

// A file's line, not a heading; asks the model nothing, so it holds while a reset is announced.
bool isFileLine(const QModelIndex& index) {
    return index.isValid() && index.parent().isValid();
}

} // namespace

ReviewTable::ReviewTable(AppModel& model, QWidget* parent)
    : QTreeView(parent), model_(model),
      rows_(new ReviewTableModel(
          model, [](const Row& row) { return QVariant(FileIcons::iconFor(row.file())); }, this)) {
    setObjectName(QStringLiteral("reviewTable"));
    setAccessibleName(tr("Files to Tidy"));
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
        if (isFileLine(index)) {
            files.push_back(fileAt(index));
        }
    }
    return files;
}

void ReviewTable::setFilter(const QString& typed) {
    rows_->setFilter(typed);
}

void ReviewTable::selectFirstRow() {
    const QModelIndex first = rows_->index(0, ReviewTableModel::nameColumn, rows_->index(0, 0));
    if (first.isValid()) {
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
    }
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
    current_ = isFileLine(current) ? fileAt(current) : std::filesystem::path();
}

// Each file found without a search, and neighbouring lines selected as one range: a rescan with
// thousands of rows selected costs what the rows do, not their square.
void ReviewTable::restoreSelection() {
    std::vector<QModelIndex> found;
    found.reserve(selected_.size());
    for (const auto& file : selected_) {
        if (const QModelIndex index = rows_->indexOf(file); index.isValid()) {
            found.push_back(index);
        }
    }
    std::sort(found.begin(), found.end(), [](const QModelIndex& a, const QModelIndex& b) {
        return a.internalId() != b.internalId() ? a.internalId() < b.internalId()
                                                : a.row() < b.row();
    });
    QItemSelection selection;
    for (std::size_t first = 0; first < found.size();) {
        std::size_t last = first;
        while (last + 1 < found.size() && found[last + 1].internalId() == found[first].internalId() &&
               found[last + 1].row() == found[last].row() + 1) {
            ++last;
        }
        selection.append(QItemSelectionRange(
            found[first], found[last].siblingAtColumn(ReviewTableModel::destinationColumn)));
        first = last + 1;
    }
    if (const QModelIndex current = rows_->indexOf(current_); current.isValid()) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

DestinationChooser* ReviewTable::popUpDestinations(const QModelIndex& index) {
    if (!rows_->rowAt(index)) {
        return nullptr;
    }
    return popUpDestinations(index, {fileAt(index)});
}

DestinationChooser* ReviewTable::popUpDestinations(const QModelIndex& index,
                                                   std::vector<std::filesystem::path> files) {
    auto* chooser = new DestinationChooser(model_, std::move(files), this);
    const QRect cell = visualRect(index.siblingAtColumn(ReviewTableModel::destinationColumn));
    chooser->popUp(viewport()->mapToGlobal(cell.bottomLeft()), cell.width());
    return chooser;
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
    // The menu key comes as a context menu event; Shift+F10 is its other name.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        popUpContextMenu(currentIndex(), std::nullopt);
        return;
    }
    QTreeView::keyPressEvent(event);
}

QMenu* ReviewTable::contextMenuFor(const QModelIndex& index) {
    const auto files = filesFor(index);
    if (files.empty()) {
        return nullptr;
    }
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setObjectName(QStringLiteral("rowContextMenu"));
    menu->addAction(tr("Show in File Manager"), menu, [files] { FileManager::reveal(files); })
        ->setObjectName(QStringLiteral("showInFileManager"));
    QAction* moveTo = menu->addAction(tr("Move To…"));
    moveTo->setObjectName(QStringLiteral("moveTo"));
    // Once the menu has gone, so that the chooser gets the keyboard.
    connect(
        moveTo, &QAction::triggered, this,
        [this, index = QPersistentModelIndex(index), files] {
            if (index.isValid()) {
                popUpDestinations(index, files);
            }
        },
        Qt::QueuedConnection);
    menu->addSeparator();
    menu->addAction(tr("Move to Trash"), menu,
                    [this, files] { model_.setDestination(Destination::trash(), files); })
        ->setObjectName(QStringLiteral("contextMoveToTrash"));
    const auto ignored = [this](const std::filesystem::path& file) {
        const auto row = model_.rowIndex(file);
        return row && model_.rows()[*row].isIgnored();
    };
    if (!std::all_of(files.begin(), files.end(), ignored)) {
        menu->addAction(tr("Don't Tidy"), menu,
                        [this, files] { model_.setDestination(std::nullopt, files); })
            ->setObjectName(QStringLiteral("contextDontTidy"));
    }
    if (std::any_of(files.begin(), files.end(), ignored)) {
        menu->addAction(tr("Tidy Again"), menu, [this, files] { model_.tidyAgain(files); })
            ->setObjectName(QStringLiteral("contextTidyAgain"));
    }
    return menu;
}

void ReviewTable::contextMenuEvent(QContextMenuEvent* event) {
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    popUpContextMenu(byMouse ? indexAt(event->pos()) : currentIndex(),
                     byMouse ? std::optional(event->globalPos()) : std::nullopt);
}

void ReviewTable::popUpContextMenu(const QModelIndex& index, std::optional<QPoint> at) {
    if (QMenu* menu = contextMenuFor(index)) {
        // Not exec(): no nested event loop while the menu is open.
        menu->popup(at.value_or(viewport()->mapToGlobal(
            visualRect(index.siblingAtColumn(ReviewTableModel::nameColumn)).bottomLeft())));
    }
}

} // namespace vesk
