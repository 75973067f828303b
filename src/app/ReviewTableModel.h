#pragma once

#include "app/Row.h"

#include <QAbstractItemModel>

#include <functional>
#include <vector>

namespace vesk {

class AppModel;

// The review table: one heading per destination group, in group order, with the group's rows
// below it. Columns: include (a check box), the file's name, its destination. Follows the
// application model; the check box toggles the row there.
class ReviewTableModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Column { includeColumn, nameColumn, destinationColumn, columnCount_ };
    enum Role {
        FileRole = Qt::UserRole + 1, // the file's path, for rows
        DestinationTypeRole,         // RowGroup::Type as int, for rows and headings
        IsHeadingRole,
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
    [[nodiscard]] QModelIndex indexOf(const std::filesystem::path& file, int column = 0) const;

private:
    void reload();
    [[nodiscard]] QVariant headingData(int group, int column, int role) const;
    [[nodiscard]] QVariant rowData(const Row& row, int column, int role) const;

    AppModel& model_;
    IconFor iconFor_;
    std::vector<RowGroup> groups_;
    std::vector<QString> titles_;
};

} // namespace vesk
