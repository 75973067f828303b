#pragma once

#include "app/AutostartEntry.h"
#include "ui/PrivacyInfo.h"

#include <QUrl>
#include <QWidget>

class QCheckBox;
class QComboBox;

namespace vesk {

class AppModel;
class ModelServiceSettings;

// The settings window's General tab: opening at login, notifications, the wait before tidying,
// and the two optional placement layers with their privacy notes and the model service. Every
// control writes straight to the model, except "Open at Login", which is the autostart entry
// on disk. Opening it asks the model service again.
class GeneralSettings : public QWidget {
    Q_OBJECT

public:
    // `help`: where "how to start a local model" is explained.
    GeneralSettings(AppModel& model, AutostartEntry autostart, QUrl help, NoteAtStart modelNote,
                    QWidget* parent = nullptr);

private:
    [[nodiscard]] QWidget* loginSection();
    [[nodiscard]] QWidget* placementSection(NoteAtStart modelNote);
    void showWaitChoices();
    void showModelSettings();

    AppModel& model_;
    AutostartEntry autostart_;
    QCheckBox* openAtLogin_;
    QCheckBox* notify_;
    QComboBox* wait_;
    QCheckBox* useModel_;
    QWidget* modelLabel_ = nullptr;
    ModelServiceSettings* modelService_; // the service, and why the model can't be used
    QCheckBox* readContents_;
};

} // namespace vesk
