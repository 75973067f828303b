#include "ui/ReviewWindow.h"

#include "app/PathBoundary.h"

#include "app/AppModel.h"
#include "ui/EmptyState.h"
#include "ui/ReviewBottomBar.h"
#include "ui/ReviewTable.h"

#include <QFrame>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vesk {

ReviewWindow::ReviewWindow(AppModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), content_(new QStackedWidget(this)),
      table_(new ReviewTable(model, content_)), bottomBar_(new ReviewBottomBar(model, this)) {
    setObjectName(QStringLiteral("reviewWindow"));
    setMinimumSize(560, 360);
    resize(720, 520);

    content_->addWidget(new EmptyState(model, content_));
    content_->addWidget(table_);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(content_, 1);
    layout->addWidget(line);
    layout->addWidget(bottomBar_);

    // Return tidies from anywhere in the window, as a default button would.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                &ReviewWindow::tidyIfPending);
    }
    connect(&model_, &AppModel::rowsChanged, this, [this] {
        updateTitle();
        showRowsOrEmptyState();
    });
    connect(&model_, &AppModel::onboardedChanged, this, &ReviewWindow::updateTitle);
    connect(&model_, &AppModel::showFailureChanged, this, &ReviewWindow::showFailure);
    updateTitle();
    showRowsOrEmptyState();
}

void ReviewWindow::setMenu(QMenu* menu) {
    bottomBar_->setMenu(menu);
}

void ReviewWindow::updateTitle() {
    const auto pending = static_cast<int>(model_.pending().size());
    setWindowTitle(model_.onboarded() && !model_.rows().empty()
                       ? tr("%n File(s) to Tidy — Vesk", nullptr, pending)
                       : QStringLiteral("Vesk"));
}

void ReviewWindow::showRowsOrEmptyState() {
    content_->setCurrentWidget(model_.rows().empty() ? content_->widget(0) : table_);
}

void ReviewWindow::tidyIfPending() {
    if (bottomBar_->tidyButton()->isEnabled()) {
        bottomBar_->tidyButton()->click();
    }
}

void ReviewWindow::showFailure(bool show) {
    if (!show) {
        if (alert_ != nullptr) {
            alert_->close();
        }
        return;
    }
    QStringList lines;
    for (const MoveFailure& failure : model_.lastFailures()) {
        lines << tr("%1: %2").arg(
            displayPath(failure.file),
            QString::fromStdString(failure.message));
    }
    if (alert_ == nullptr) {
        alert_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("Vesk"),
                                 tr("Some files couldn't be moved."), QMessageBox::Ok, this);
        alert_->setObjectName(QStringLiteral("failureAlert"));
        alert_->setWindowModality(Qt::WindowModal);
        connect(alert_, &QMessageBox::finished, this, [this] {
            alert_->deleteLater();
            alert_ = nullptr;
            model_.dismissFailure();
        });
    }
    alert_->setDetailedText(lines.join(QLatin1Char('\n')));
    alert_->open();
}

void ReviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        emit firstShown();
    }
}

void ReviewWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace vesk
