#pragma once

#include "app/AutostartEntry.h"
#include "ui/PrivacyInfo.h"

#include <QUrl>
#include <QWidget>

class QTabWidget;

namespace vesk {

class AppModel;

// The settings: a General and a Folders tab. Holds no settings of its own; each control
// writes to the model (or, for opening at login, to the autostart entry).
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    SettingsWindow(AppModel& model, AutostartEntry autostart, QUrl help, NoteAtStart modelNote,
                   QWidget* parent = nullptr);

    [[nodiscard]] QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
};

} // namespace vesk
