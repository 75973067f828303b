#pragma once

#include <QWidget>

#include <filesystem>
#include <optional>

class QLabel;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace vesk {

class AppModel;

// The settings window's Folders tab: the source folders with add and remove buttons, and in a
// sandbox whether Vesk may use the home folder.
class FolderSettings : public QWidget {
    Q_OBJECT

public:
    explicit FolderSettings(AppModel& model, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QWidget* buttonRow();
    [[nodiscard]] QWidget* accessRow();
    void showSources();
    void removeSelected();
    void showRemove();
    [[nodiscard]] std::optional<std::filesystem::path> selected() const;
    void showAccess();

    AppModel& model_;
    QTreeWidget* list_;
    QToolButton* remove_ = nullptr;
    QLabel* accessSymbol_ = nullptr;
    QLabel* accessText_ = nullptr;
    QPushButton* allowAccess_ = nullptr;
};

} // namespace vesk
