#include "ui/FolderSettings.h"

#include "app/AppModel.h"
#include "app/DisplayText.h"
#include "app/FolderLabel.h"
#include "app/PathBoundary.h"
#include "ui/FileIcons.h"
#include "ui/SymbolIcon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

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

FolderSettings::FolderSettings(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), list_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("folderSettings"));
    list_->setObjectName(QStringLiteral("sourceList"));
    list_->setAccessibleName(tr("Folders to Tidy"));
    list_->setColumnCount(2);
    // Hidden, but screen readers read them as the columns' names.
    list_->setHeaderLabels({tr("Folder"), tr("Location")});
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setUniformRowHeights(true);
    list_->setIconSize(QSize(18, 18));
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->setFixedHeight(180);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(4);
    layout->addWidget(list_);
    layout->addWidget(buttonRow());
    if (model_.access().sandboxed()) {
        layout->addWidget(accessRow());
    }
    layout->addStretch();

    connect(list_, &QTreeWidget::itemSelectionChanged, this, &FolderSettings::showRemove);
    list_->installEventFilter(this); // the Delete key removes, as the minus button does
    connect(&model_, &AppModel::sourcesChanged, this, &FolderSettings::showSources);
    connect(&model_, &AppModel::watchProblemsChanged, this, &FolderSettings::showSources);
    showSources();
}

QWidget* FolderSettings::buttonRow() {
    auto* row = new QWidget(this);
    auto* add = symbolButton("addFolder", Symbol::plus, tr("Add Folder…"), row);
    remove_ = symbolButton("removeFolder", Symbol::minus, tr("Remove"), row);
    auto* divider = new QFrame(row);
    divider->setFrameShape(QFrame::VLine);
    divider->setFixedHeight(16);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(add);
    layout->addWidget(divider);
    layout->addWidget(remove_);
    layout->addStretch();
    connect(add, &QToolButton::clicked, &model_, &AppModel::addSource);
    connect(remove_, &QToolButton::clicked, this, &FolderSettings::removeSelected);
    return row;
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
        const QString second =
            problem == problems.end() ? label.parent : SourceWatcher::describe(problem->reason);
        auto* item = new QTreeWidgetItem(list_, QStringList{label.name, second});
        item->setIcon(0, FileIcons::iconFor(folder));
        item->setData(0, pathRole, pathBytes(folder));
        if (problem == problems.end()) {
            item->setForeground(1, palette().brush(QPalette::PlaceholderText));
        }
        item->setToolTip(0, plainToolTip(displayPath(folder)));
        item->setToolTip(1, plainToolTip(second));
    }
    showRemove();
}

// The last folder stays: with none, nothing would be watched while the window still showed
// what was found before.
void FolderSettings::showRemove() {
    const bool last = model_.sources().size() <= 1;
    remove_->setEnabled(selected().has_value() && !last);
    const QString why = last ? tr("Vesk needs at least one folder to tidy.") : QString();
    remove_->setToolTip(last ? why : tr("Remove"));
    remove_->setAccessibleDescription(why);
}

std::optional<std::filesystem::path> FolderSettings::selected() const {
    const auto items = list_->selectedItems();
    if (items.isEmpty()) {
        return std::nullopt;
    }
    return pathFromBytes(items.front()->data(0, pathRole).toByteArray());
}

void FolderSettings::removeSelected() {
    if (const auto folder = selected(); folder && remove_->isEnabled()) {
        model_.removeSource(*folder);
        list_->clearSelection();
    }
}

bool FolderSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        removeSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
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
