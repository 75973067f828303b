#include "ui/FolderSettings.h"

#include "app/AppModel.h"
#include "app/FolderLabel.h"
#include "ui/FolderList.h"
#include "ui/SectionHeading.h"
#include "ui/SymbolIcon.h"
#include "ui/TargetRootSettings.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vesk {

FolderSettings::FolderSettings(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model),
      list_(new FolderList("sourceList", tr("Folders to Tidy"), 180, this)) {
    setObjectName(QStringLiteral("folderSettings"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(4);
    layout->addWidget(sectionHeading(tr("Folders to &Tidy"),
                                     tr("Vesk offers the files that wait in these folders."), list_,
                                     this));
    layout->addWidget(list_);
    layout->addWidget(buttonRow());
    if (model_.access().sandboxed()) {
        layout->addWidget(accessRow());
    }
    layout->addWidget(new TargetRootSettings(model_, this));
    layout->addStretch();

    connect(list_, &QTreeWidget::itemSelectionChanged, this, &FolderSettings::showRemove);
    connect(list_, &FolderList::removeRequested, this, &FolderSettings::removeSelected);
    connect(&model_, &AppModel::sourcesChanged, this, &FolderSettings::showSources);
    connect(&model_, &AppModel::watchProblemsChanged, this, &FolderSettings::showSources);
    showSources();
}

QWidget* FolderSettings::buttonRow() {
    const auto buttons = list_->buttons("addFolder", tr("Add Folder…"), "removeFolder");
    remove_ = buttons.remove;
    connect(buttons.add, &QToolButton::clicked, &model_, &AppModel::addSource);
    return buttons.row;
}

QWidget* FolderSettings::accessRow() {
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("accessRow"));
    auto* divider = new QFrame(area);
    divider->setFrameShape(QFrame::HLine);
    accessSymbol_ = new QLabel(area);
    accessText_ = new QLabel(area);
    accessText_->setObjectName(QStringLiteral("accessText"));
    accessText_->setForegroundRole(QPalette::PlaceholderText);
    allowAccess_ = new QPushButton(tr("Allow Access…"), area);
    allowAccess_->setObjectName(QStringLiteral("allowAccess"));

    auto* row = new QHBoxLayout;
    row->addWidget(accessSymbol_);
    row->addWidget(accessText_, 1);
    row->addWidget(allowAccess_);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 14, 0, 0);
    layout->setSpacing(14);
    layout->addWidget(divider);
    layout->addLayout(row);

    connect(allowAccess_, &QPushButton::clicked, this, [this] {
        model_.access().requestHome(this, [this](bool confirmed) {
            if (confirmed) {
                model_.accessGranted();
            }
            showAccess();
        });
    });
    showAccess();
    return area;
}

void FolderSettings::showSources() {
    list_->clear();
    const auto& problems = model_.watchProblems();
    for (const auto& folder : model_.sources()) {
        const FolderLabel label = FolderLabel::of(folder, model_.home());
        const auto problem =
            std::find_if(problems.begin(), problems.end(),
                         [&](const WatchProblem& candidate) { return candidate.folder == folder; });
        // A folder that isn't watched says why where its place would be.
        const bool watched = problem == problems.end();
        list_->addFolder(folder, label.name,
                         watched ? label.parent : SourceWatcher::describe(problem->reason), watched);
    }
    showRemove();
}

// The last folder stays: with none, nothing would be watched while the window still showed
// what was found before.
void FolderSettings::showRemove() {
    const bool last = model_.sources().size() <= 1;
    remove_->setEnabled(list_->selectedFolder().has_value() && !last);
    const QString why = last ? tr("Vesk needs at least one folder to tidy.") : QString();
    remove_->setToolTip(last ? why : tr("Remove"));
    remove_->setAccessibleDescription(why);
}

void FolderSettings::removeSelected() {
    if (const auto folder = list_->selectedFolder(); folder && remove_->isEnabled()) {
        model_.removeSource(*folder);
        list_->clearSelection();
    }
}

void FolderSettings::showAccess() {
    const bool home = model_.access().hasHome();
    const QColor secondary = palette().color(QPalette::PlaceholderText);
    accessSymbol_->setPixmap(symbolIcon(home ? Symbol::lockOpen : Symbol::lock, secondary)
                                 .pixmap(QSize(16, 16), devicePixelRatioF()));
    accessText_->setText(home ? tr("Vesk can use your home folder.")
                              : tr("Vesk can use only the folders you added."));
    allowAccess_->setVisible(!home);
}

} // namespace vesk
