#include "ui/ReviewBottomBar.h"

#include "app/AppModel.h"
#include "ui/SymbolIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace vesk {

ReviewBottomBar::ReviewBottomBar(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), busy_(new QProgressBar(this)),
      scanning_(new QLabel(tr("Scanning…"), this)), menuButton_(new QToolButton(this)),
      undo_(new QPushButton(tr("Undo Last Tidy"), this)), tidy_(new QPushButton(this)) {
    setObjectName(QStringLiteral("reviewBottomBar"));
    busy_->setObjectName(QStringLiteral("bottomBarBusy"));
    busy_->setRange(0, 0);
    busy_->setTextVisible(false);
    busy_->setFixedWidth(48);
    scanning_->setObjectName(QStringLiteral("scanningLabel"));
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
    layout->addStretch();
    layout->addWidget(menuButton_);
    layout->addWidget(undo_);
    layout->addWidget(tidy_);

    connect(undo_, &QPushButton::clicked, &model_, &AppModel::undo);
    connect(tidy_, &QPushButton::clicked, &model_, &AppModel::tidy);
    for (const auto signal : {&AppModel::rowsChanged, &AppModel::lastBatchChanged}) {
        connect(&model_, signal, this, &ReviewBottomBar::showState);
    }
    connect(&model_, &AppModel::busyChanged, this, &ReviewBottomBar::showState);
    connect(&model_, &AppModel::movingChanged, this, &ReviewBottomBar::showState);
    showState();
}

void ReviewBottomBar::setMenu(QMenu* menu) {
    menuButton_->setMenu(menu);
    menuButton_->setVisible(menu != nullptr);
}

void ReviewBottomBar::showState() {
    busy_->setVisible(model_.isBusy());
    scanning_->setVisible(model_.isBusy());
    undo_->setVisible(model_.lastBatch().has_value());
    undo_->setEnabled(!model_.isMoving());
    const auto pending = static_cast<int>(model_.pending().size());
    tidy_->setText(pending == 0 ? tr("Tidy") : tr("Tidy %n File(s)", nullptr, pending));
    tidy_->setEnabled(pending > 0 && !model_.isMoving());
}

} // namespace vesk
