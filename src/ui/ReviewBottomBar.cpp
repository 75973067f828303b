#include "ui/ReviewBottomBar.h"

#include "app/AppModel.h"
#include "ui/SymbolIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace vesk {

ReviewBottomBar::ReviewBottomBar(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), busy_(new QProgressBar(this)),
      scanning_(new QLabel(tr("Scanning…"), this)), status_(new QLabel(this)),
      menuButton_(new QToolButton(this)), undo_(new QPushButton(tr("&Undo Last Tidy"), this)),
      tidy_(new QPushButton(this)) {
    setObjectName(QStringLiteral("reviewBottomBar"));
    busy_->setObjectName(QStringLiteral("bottomBarBusy"));
    busy_->setRange(0, 0);
    busy_->setTextVisible(false);
    busy_->setFixedWidth(48);
    scanning_->setObjectName(QStringLiteral("scanningLabel"));
    status_->setObjectName(QStringLiteral("moveStatus"));
    status_->setTextFormat(Qt::RichText);
    status_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    menuButton_->setObjectName(QStringLiteral("menuButton"));
    menuButton_->setIcon(symbolIcon(Symbol::menu, palette().color(QPalette::ButtonText)));
    menuButton_->setToolTip(tr("Menu"));
    menuButton_->setAccessibleName(tr("Menu"));
    menuButton_->setPopupMode(QToolButton::InstantPopup);
    menuButton_->hide();
    undo_->setObjectName(QStringLiteral("undoButton"));
    tidy_->setObjectName(QStringLiteral("tidyButton"));
    tidy_->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 10);
    layout->addWidget(busy_);
    layout->addWidget(scanning_);
    layout->addWidget(status_, 1);
    layout->addWidget(menuButton_);
    layout->addWidget(undo_);
    layout->addWidget(tidy_);

    connect(undo_, &QPushButton::clicked, &model_, &AppModel::undo);
    connect(tidy_, &QPushButton::clicked, &model_, &AppModel::tidy);
    connect(status_, &QLabel::linkActivated, &model_, &AppModel::undo);
    connect(&model_, &AppModel::pendingCountChanged, this, &ReviewBottomBar::showState);
    connect(&model_, &AppModel::lastBatchChanged, this, &ReviewBottomBar::showState);
    connect(&model_, &AppModel::busyChanged, this, &ReviewBottomBar::showState);
    connect(&model_, &AppModel::movingChanged, this, &ReviewBottomBar::showState);
    connect(&model_, &AppModel::moveProgress, this, &ReviewBottomBar::showProgress);
    connect(&model_, &AppModel::modelProgress, this, &ReviewBottomBar::showModelProgress);
    connect(&model_, &AppModel::tidied, this, &ReviewBottomBar::showTidied);
    connect(&model_, &AppModel::undone, this, &ReviewBottomBar::showUndone);
    showState();
}

void ReviewBottomBar::setMenu(QMenu* menu) {
    menuButton_->setMenu(menu);
    menuButton_->setVisible(menu != nullptr);
}

void ReviewBottomBar::showState() {
    const bool scanning = model_.isBusy() && !model_.isMoving();
    busy_->setVisible(model_.isBusy() || model_.isMoving());
    scanning_->setVisible(scanning);
    undo_->setVisible(model_.lastBatch().has_value());
    undo_->setEnabled(!model_.isMoving());
    const int pending = model_.pendingCount();
    tidy_->setText(pending == 0 ? tr("&Tidy") : tr("&Tidy %n File(s)", nullptr, pending));
    tidy_->setEnabled(pending > 0 && !model_.isMoving());
}

void ReviewBottomBar::showProgress(int done, int total) {
    const QLocale locale;
    status_->setText((model_.isUndoing() ? tr("Putting back %1 of %2…") : tr("Moving %1 of %2…"))
                         .arg(locale.toString(done), locale.toString(total))
                         .toHtmlEscaped());
}

void ReviewBottomBar::showModelProgress(int done, int total) {
    const QLocale locale;
    scanning_->setText(total > 0 ? tr("Asking the local model… %1 of %2")
                                       .arg(locale.toString(done), locale.toString(total))
                                 : tr("Scanning…"));
}

void ReviewBottomBar::showTidied(const ApplyResult& result) {
    const auto moved = static_cast<int>(result.batch.records.size());
    if (moved == 0) {
        status_->clear();
        return;
    }
    status_->setText(QStringLiteral("%1 · <a href=\"undo\">%2</a>")
                         .arg(tr("Moved %n file(s)", nullptr, moved).toHtmlEscaped(),
                              tr("Undo").toHtmlEscaped()));
}

void ReviewBottomBar::showUndone(const UndoResult& result) {
    if (result.restored == 0) {
        status_->clear();
        return;
    }
    status_->setText(tr("%n file(s) are back", nullptr, result.restored).toHtmlEscaped());
}

} // namespace vesk
