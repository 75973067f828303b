#pragma once

#include <QWidget>

#include <filesystem>
#include <optional>

class QLabel;
class QPushButton;
class QToolButton;

namespace vesk {

class AppModel;
class FolderList;

// The settings window's Folders tab: the source folders with add and remove buttons, in a
// sandbox whether Vesk may use the home folder, and the folders to file into.
class FolderSettings : public QWidget {
    Q_OBJECT

public:
    explicit FolderSettings(AppModel& model, QWidget* parent = nullptr);

private:
    [[nodiscard]] QWidget* buttonRow();
    [[nodiscard]] QWidget* accessRow();
    void showSources();
    void removeSelected();
    void showRemove();
    void showAccess();

    AppModel& model_;
    FolderList* list_;
    QToolButton* remove_ = nullptr;
    QLabel* accessSymbol_ = nullptr;
    QLabel* accessText_ = nullptr;
    QPushButton* allowAccess_ = nullptr;
};

} // namespace vesk
