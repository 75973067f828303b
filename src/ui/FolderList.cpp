#include "ui/FolderList.h"

#include "app/DisplayText.h"
#include "app/FolderLabel.h"
#include "app/PathBoundary.h"
#include "ui/FileIcons.h"
#include "ui/SymbolIcon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QToolButton>

namespace vesk {

namespace {

constexpr int pathRole = Qt::UserRole;

QToolButton* symbolButton(const char* name, Symbol symbol, const QString& help, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(symbolIcon(symbol, parent->palette().color(QPalette::ButtonText)));
    button->setAutoRaise(true);
    button->setFixedSize(24, 20);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setToolTip(help);
    button->setAccessibleName(help);
    return button;
}

} // namespace

FolderList::FolderList(const char* name, const QString& accessibleName, int height, QWidget* parent)
    : QTreeWidget(parent) {
    setObjectName(QLatin1String(name));
    setAccessibleName(accessibleName);
    setColumnCount(2);
    // Hidden, but screen readers read them as the columns' names.
    setHeaderLabels({tr("Folder"), tr("Location")});
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    setUniformRowHeights(true);
    setIconSize(QSize(18, 18));
    setTextElideMode(Qt::ElideMiddle);
    setFixedHeight(height);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
}

void FolderList::showFolders(const std::vector<std::filesystem::path>& folders,
                             const std::filesystem::path& home) {
    clear();
    for (const auto& folder : folders) {
        const FolderLabel label = FolderLabel::of(folder, home);
        addFolder(folder, label.name, label.parent, true);
    }
}

void FolderList::addFolder(const std::filesystem::path& folder, const QString& name,
                           const QString& second, bool secondIsPlace) {
    auto* item = new QTreeWidgetItem(this, QStringList{name, second});
    item->setIcon(0, FileIcons::iconFor(folder));
    item->setData(0, pathRole, pathBytes(folder));
    if (secondIsPlace) {
        item->setForeground(1, palette().brush(QPalette::PlaceholderText));
    }
    item->setToolTip(0, plainToolTip(displayPath(folder)));
    item->setToolTip(1, plainToolTip(second));
}

std::optional<std::filesystem::path> FolderList::selectedFolder() const {
    const auto items = selectedItems();
    if (items.isEmpty()) {
        return std::nullopt;
    }
    return pathFromBytes(items.front()->data(0, pathRole).toByteArray());
}

FolderList::Buttons FolderList::buttons(const char* addName, const QString& addHelp,
                                        const char* removeName) {
    auto* row = new QWidget(parentWidget());
    auto* add = symbolButton(addName, Symbol::plus, addHelp, row);
    auto* remove = symbolButton(removeName, Symbol::minus, tr("Remove"), row);
    auto* divider = new QFrame(row);
    divider->setFrameShape(QFrame::VLine);
    divider->setFixedHeight(16);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(add);
    layout->addWidget(divider);
    layout->addWidget(remove);
    layout->addStretch();
    connect(remove, &QToolButton::clicked, this, &FolderList::removeRequested);
    return {row, add, remove};
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Delete)) {
        emit removeRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace vesk
