#pragma once

#include <QTreeView>

#include <filesystem>
#include <memory>
#include <vector>

class QMenu;

namespace vesk {

class AppModel;
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
    // The rows the context menu acts on when opened at `index`.
    [[nodiscard]] std::vector<std::filesystem::path> filesFor(const QModelIndex& index) const;
    void popUpDestinations(const QModelIndex& index);
    // The context menu for the row at `index` (or the selection it belongs to); null on a
    // heading.
    [[nodiscard]] std::unique_ptr<QMenu> contextMenuFor(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void rememberSelection();
    void restoreSelection();
    void layOutGroups();

    AppModel& model_;
    ReviewTableModel* rows_;
    std::vector<std::filesystem::path> selected_;
    std::filesystem::path current_;
};

} // namespace vesk
