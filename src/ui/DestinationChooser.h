#pragma once

#include <QFrame>

#include <filesystem>
#include <vector>

class QLineEdit;
class QListView;

namespace vesk {

class AppModel;
class DestinationChoices;

// A row's destination, chosen among thousands of folders: a popup with a filter field that has
// the focus, the engine's best folders for the file first, then recent ones, then every folder
// as typed; then another folder, the Trash or "Don't Tidy". Up, Down, Page Up and Page Down
// move through the list while typing; Return chooses, Escape closes. For a selection it acts
// on every selected row.
class DestinationChooser : public QFrame {
    Q_OBJECT

public:
    DestinationChooser(AppModel& model, std::vector<std::filesystem::path> files,
                       QWidget* parent);

    // Shows the chooser below `anchor` (global coordinates of a cell's bottom left), kept on
    // its screen; it goes away once closed.
    void popUp(const QPoint& anchor, int width);

    [[nodiscard]] QLineEdit* filter() const { return filter_; }
    [[nodiscard]] QListView* list() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filterChanged(const QString& typed);
    void chooseCurrent();
    void choose(int row);

    DestinationChoices* choices_;
    QLineEdit* filter_;
    QListView* list_;
};

} // namespace vesk
