#pragma once

#include <QWidget>

class QToolButton;

namespace vesk {

class AppModel;
class FolderList;

// The Folders tab's "Folders to File Into": the folders where Vesk looks for destinations, as
// found in the home until the person adds or removes one.
class TargetRootSettings : public QWidget {
    Q_OBJECT

public:
    explicit TargetRootSettings(AppModel& model, QWidget* parent = nullptr);

private:
    void showRoots();
    void removeSelected();

    AppModel& model_;
    FolderList* list_;
    QToolButton* remove_ = nullptr;
};

} // namespace vesk
