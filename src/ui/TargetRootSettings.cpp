#include "ui/TargetRootSettings.h"

#include "app/AppModel.h"
#include "ui/FolderList.h"
#include "ui/SectionHeading.h"

#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

namespace vesk {

TargetRootSettings::TargetRootSettings(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model),
      list_(new FolderList("targetRootList", tr("Folders to File Into"), 150, this)) {
    setObjectName(QStringLiteral("targetRootSettings"));
    setAccessibleName(tr("Folders to File Into"));
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    const auto buttons =
        list_->buttons("addTargetRoot", tr("Add Folder to File Into…"), "removeTargetRoot");
    remove_ = buttons.remove;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 14, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(divider);
    layout->addSpacing(10);
    layout->addWidget(sectionHeading(
        tr("Folders to &File Into"),
        tr("Vesk suggests destinations among these folders and the folders inside them."), list_,
        this));
    layout->addWidget(list_);
    layout->addWidget(buttons.row);

    connect(buttons.add, &QToolButton::clicked, &model_, &AppModel::addTargetRoot);
    connect(list_, &FolderList::removeRequested, this, &TargetRootSettings::removeSelected);
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(list_->selectedFolder().has_value()); });
    connect(&model_, &AppModel::targetRootsChanged, this, &TargetRootSettings::showRoots);
    // Found folders leave out the sources, so the list changes with them.
    connect(&model_, &AppModel::sourcesChanged, this, &TargetRootSettings::showRoots);
    showRoots();
}

void TargetRootSettings::showRoots() {
    list_->showFolders(model_.targetRoots(), model_.home());
    remove_->setEnabled(list_->selectedFolder().has_value());
}

void TargetRootSettings::removeSelected() {
    if (const auto folder = list_->selectedFolder()) {
        model_.removeTargetRoot(*folder);
    }
}

} // namespace vesk
