#include "ui/WelcomeWindow.h"

#include "app/WelcomeFlow.h"
#include "ui/WelcomeSteps.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vesk {

WelcomeWindow::WelcomeWindow(AppModel& model, std::optional<int> step, NoteAtStart modelNote,
                             QWidget* parent)
    : QDialog(parent), flow_(new WelcomeFlow(model, step, this)), steps_(new QStackedWidget(this)),
      back_(new QPushButton(tr("&Back"), this)), primary_(new QPushButton(this)) {
    setObjectName(QStringLiteral("welcomeWindow"));
    setWindowTitle(QStringLiteral("Vesk"));
    setFixedSize(520, 440);
    steps_->setObjectName(QStringLiteral("welcomeSteps"));
    for (const WelcomeFlow::Step each : flow_->steps()) {
        steps_->addWidget(WelcomeSteps::make(each, *flow_, modelNote, steps_));
    }
    back_->setObjectName(QStringLiteral("backButton"));
    back_->setAutoDefault(false); // Return always means the primary button
    primary_->setObjectName(QStringLiteral("primaryButton"));
    primary_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addStretch();
    buttons->addWidget(primary_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(steps_, 1);
    layout->addLayout(buttons);

    connect(back_, &QPushButton::clicked, flow_, &WelcomeFlow::back);
    connect(primary_, &QPushButton::clicked, flow_, &WelcomeFlow::advance);
    connect(flow_, &WelcomeFlow::changed, this, &WelcomeWindow::showStep);
    connect(flow_, &WelcomeFlow::finished, this, &WelcomeWindow::started);
    showStep();
}

void WelcomeWindow::showStep() {
    steps_->setCurrentIndex(flow_->stepIndex());
    back_->setVisible(flow_->canGoBack());
    primary_->setText(flow_->primaryText());
    primary_->setEnabled(flow_->canContinue());
}

} // namespace vesk
