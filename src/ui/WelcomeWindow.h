#pragma once

#include "ui/PrivacyInfo.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QStackedWidget;

namespace vesk {

class AppModel;
class WelcomeFlow;

// The first-run window: a few steps to choose the folders (and, in a sandbox, allow access),
// then "Start". Its choices live only here until then; closing it saves nothing.
class WelcomeWindow : public QDialog {
    Q_OBJECT

public:
    // `step`: where the command line asks to begin.
    WelcomeWindow(AppModel& model, std::optional<int> step, NoteAtStart modelNote,
                  QWidget* parent = nullptr);

    [[nodiscard]] WelcomeFlow& flow() const { return *flow_; }

signals:
    // "Start" handed the choices to the model.
    void started();

private:
    void showStep();

    WelcomeFlow* flow_;
    QStackedWidget* steps_;
    QPushButton* back_;
    QPushButton* primary_;
};

} // namespace vesk
