#pragma once

#include "app/AutostartEntry.h"
#include "ui/PrivacyInfo.h"

#include <QUrl>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace vesk {

class AppModel;

// The settings window's General tab: opening at login, notifications, the wait before tidying,
// and the two
// optional placement layers with their privacy notes. Every control writes straight to the
// model, except "Open at Login", which is the autostart entry on disk.
class GeneralSettings : public QWidget {
    Q_OBJECT

public:
    // `help`: where "how to start a local model" is explained.
    GeneralSettings(AppModel& model, AutostartEntry autostart, QUrl help, NoteAtStart modelNote,
                    QWidget* parent = nullptr);

private:
    [[nodiscard]] QWidget* loginSection();
    [[nodiscard]] QWidget* placementSection(NoteAtStart modelNote);
    [[nodiscard]] QLabel* modelServiceLine();
    void showWaitChoices();
    void showModelSettings();

    AppModel& model_;
    AutostartEntry autostart_;
    QUrl help_;
    QCheckBox* openAtLogin_;
    QCheckBox* notify_;
    QComboBox* wait_;
    QCheckBox* useModel_;
    QWidget* modelLabel_ = nullptr;
    QLabel* modelServiceNote_ = nullptr; // where to find a model, while none answers
    QCheckBox* readContents_;
};

} // namespace vesk
