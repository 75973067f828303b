#include "ui/EmptyState.h"

#include "app/AppModel.h"
#include "ui/SymbolIcon.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace vesk {

EmptyState::EmptyState(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), busy_(new QProgressBar(this)), nothing_(new QWidget(this)),
      waiting_(new QLabel(tr("Recent files wait a few days."), nothing_)) {
    setObjectName(QStringLiteral("emptyState"));
    busy_->setObjectName(QStringLiteral("scanningIndicator"));
    busy_->setRange(0, 0); // indeterminate
    busy_->setTextVisible(false);
    busy_->setMaximumWidth(160);

    auto* symbol = new QLabel(nothing_);
    symbol->setPixmap(
        symbolIcon(Symbol::checkmarkCircle, palette().color(QPalette::PlaceholderText))
            .pixmap(48, 48));
    symbol->setAlignment(Qt::AlignCenter);
    auto* title = new QLabel(tr("Nothing to Tidy"), nothing_);
    title->setObjectName(QStringLiteral("nothingToTidy"));
    QFont large = title->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    title->setFont(large);
    title->setAlignment(Qt::AlignCenter);
    waiting_->setObjectName(QStringLiteral("recentFilesWait"));
    waiting_->setAlignment(Qt::AlignCenter);
    waiting_->setForegroundRole(QPalette::PlaceholderText);

    auto* panel = new QVBoxLayout(nothing_);
    panel->addWidget(symbol);
    panel->addWidget(title);
    panel->addWidget(waiting_);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(busy_, 0, Qt::AlignCenter);
    layout->addWidget(nothing_, 0, Qt::AlignCenter);
    layout->addStretch();

    connect(&model_, &AppModel::busyChanged, this, &EmptyState::showState);
    connect(&model_, &AppModel::waitingChanged, this, &EmptyState::showState);
    showState();
}

void EmptyState::showState() {
    busy_->setVisible(model_.isBusy());
    nothing_->setVisible(!model_.isBusy());
    waiting_->setVisible(model_.waiting() >= 1);
}

} // namespace vesk
