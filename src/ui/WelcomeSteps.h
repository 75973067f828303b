#pragma once

#include "app/WelcomeFlow.h"
#include "ui/PrivacyInfo.h"

#include <QCoreApplication>

class QWidget;

namespace vesk {

// The pages of the welcome flow, one per step, each kept up to date with the flow.
class WelcomeSteps {
    Q_DECLARE_TR_FUNCTIONS(WelcomeSteps)

public:
    [[nodiscard]] static QWidget* make(WelcomeFlow::Step step, WelcomeFlow& flow,
                                       NoteAtStart modelNote, QWidget* parent);

private:
    [[nodiscard]] static QWidget* welcome(QWidget* parent);
    [[nodiscard]] static QWidget* folders(WelcomeFlow& flow, QWidget* parent);
    [[nodiscard]] static QWidget* access(WelcomeFlow& flow, QWidget* parent);
    [[nodiscard]] static QWidget* tray(WelcomeFlow& flow, NoteAtStart modelNote, QWidget* parent);
};

} // namespace vesk
