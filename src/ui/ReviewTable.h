#pragma once

#include <QTreeView>

#include <filesystem>
#include <optional>
#include <vector>

class QMenu;

namespace vesk {

class AppModel;
class DestinationChooser;
class ReviewTableModel;

// The review table: a heading line per destination group with its rows below, a check box, the
// file's icon and name, and a destination pop-up per row. The selection (several rows) survives
// rescans; Space toggles the selected rows; the context menu acts on the clicked row or on the
// selection it belongs to.
class ReviewTable : public QTreeView {
    Q_OBJECT

public:
    explicit ReviewTable(AppModel& model, QWidget* parent = nullptr);

    [[nodiscard]] std::vector<std::filesystem::path> selectedFiles() const;
    // Shows only the rows whose name, destination or reason hold every word typed.
    void setFilter(const QString& typed);
    // Makes the first file the current and selected row, so the keys have something to act on.
    void selectFirstRow();
    // The rows the context menu acts on when opened at `index`.
    [[nodiscard]] std::vector<std::filesystem::path> filesFor(const QModelIndex& index) const;
    // The destination chooser of the row at `index`, shown at its cell; null on a heading.
    DestinationChooser* popUpDestinations(const QModelIndex& index);
    // The same for these files, from the context menu of a selection.
    DestinationChooser* popUpDestinations(const QModelIndex& index,
                                          std::vector<std::filesystem::path> files);
    // The context menu for the row at `index` (or the selection it belongs to), not yet shown
    // and deleted once closed; null on a heading.
    [[nodiscard]] QMenu* contextMenuFor(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void popUpContextMenu(const QModelIndex& index, std::optional<QPoint> at);
    void rememberSelection();
    void restoreSelection();
    void layOutGroups();

    AppModel& model_;
    ReviewTableModel* rows_;
    std::vector<std::filesystem::path> selected_;
    std::filesystem::path current_;
};

} // namespace vesk
