#pragma once

#include "app/PathList.h"
#include "app/ReviewRows.h"
#include "app/Row.h"
#include "app/TextFilter.h"

#include <QAbstractItemModel>

#include <functional>
#include <vector>

namespace vesk {

class AppModel;

// The review table: one heading per destination group, in group order, with the group's rows
// below it. Columns: include (a check box), the file's name, its destination. Follows the
// application model without copying its rows; the check box toggles the row there. A tick
// changes only its cell, and a change that leaves every row in its place (a rescan that finds
// the same files) updates the cells without a reset, so a view keeps its selection for free.
class ReviewTableModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Column { includeColumn, nameColumn, destinationColumn, columnCount_ };
    enum Role {
        FileRole = Qt::UserRole + 1, // the file's path, for rows
        DestinationTypeRole,         // RowGroup::Type as int, for rows and headings
        IsHeadingRole,
        ReasonRole, // why the engine suggests what it does, for rows
    };
    // The icon of a file, supplied by the interface (the model has no images).
    using IconFor = std::function<QVariant(const Row& row)>;

    explicit ReviewTableModel(AppModel& model, IconFor iconFor = {}, QObject* parent = nullptr);

    [[nodiscard]] QModelIndex index(int row, int column,
                                    const QModelIndex& parent = {}) const override;
    [[nodiscard]] QModelIndex parent(const QModelIndex& child) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    // The row shown at an index; nullptr for a heading.
    [[nodiscard]] const Row* rowAt(const QModelIndex& index) const;
    // Found without a search; invalid for a row the filter hides.
    [[nodiscard]] QModelIndex indexOf(const std::filesystem::path& file, int column = 0) const;
    // Shows only the rows whose name, destination or reason hold every word typed.
    void setFilter(const QString& typed);

private:
    // Where a row of the application model is shown.
    struct Place {
        int group = -1;
        int position = 0;
    };

    void follow();
    void showIncluded(const std::vector<std::size_t>& rows);
    void setLayout(std::vector<ReviewRows::Layout> groups);
    [[nodiscard]] QModelIndex indexAt(const Place& place, int column) const;
    [[nodiscard]] QVariant headingData(int group, int column, int role) const;
    [[nodiscard]] QVariant rowData(const Row& row, int column, int role) const;
    [[nodiscard]] std::size_t shownPosition(const QModelIndex& index) const;
    [[nodiscard]] static QString reasonOf(const Row& row);
    [[nodiscard]] QString destinationText(const Row& row) const;
    [[nodiscard]] QString searchText(const Row& row) const;

    AppModel& model_;
    IconFor iconFor_;
    TextFilter filter_;
    std::vector<ReviewRows::Layout> groups_;
    std::vector<Place> places_; // by position in the application model's rows
    PathList shownFiles_;       // in table order, to tell a rescan that moved nothing
};

} // namespace vesk
