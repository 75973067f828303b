#include "app/ReviewTableModel.h"

#include "app/AppModel.h"
#include "app/PathBoundary.h"
#include "app/ReviewRows.h"


namespace vesk {

namespace {

// Headings are top-level items with id 0; a row's id is its group's position plus one.
constexpr quintptr headingId = 0;

} // namespace

ReviewTableModel::ReviewTableModel(AppModel& model, IconFor iconFor, QObject* parent)
    : QAbstractItemModel(parent), model_(model), iconFor_(std::move(iconFor)) {
    reload();
    connect(&model_, &AppModel::rowsChanged, this, [this] {
        beginResetModel();
        reload();
        endResetModel();
    });
}

void ReviewTableModel::reload() {
    groups_ = model_.groups();
    titles_.clear();
    for (const auto& group : groups_) {
        titles_.push_back(model_.title(group.key));
    }
}

QModelIndex ReviewTableModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    if (!parent.isValid()) {
        return createIndex(row, column, headingId);
    }
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex ReviewTableModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == headingId) {
        return {};
    }
    return createIndex(static_cast<int>(child.internalId() - 1), 0, headingId);
}

int ReviewTableModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return static_cast<int>(groups_.size());
    }
    if (parent.internalId() != headingId || parent.column() != 0) {
        return 0;
    }
    return static_cast<int>(groups_[static_cast<std::size_t>(parent.row())].rows.size());
}

int ReviewTableModel::columnCount(const QModelIndex& /*parent*/) const {
    return columnCount_;
}

const Row* ReviewTableModel::rowAt(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == headingId) {
        return nullptr;
    }
    const auto& group = groups_[static_cast<std::size_t>(index.internalId() - 1)];
    return &group.rows[static_cast<std::size_t>(index.row())];
}

QModelIndex ReviewTableModel::indexOf(const std::filesystem::path& file, int column) const {
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const auto& rows = groups_[g].rows;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].file() == file) {
                return createIndex(static_cast<int>(r), column, static_cast<quintptr>(g) + 1);
            }
        }
    }
    return {};
}

QVariant ReviewTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (const Row* row = rowAt(index)) {
        return rowData(*row, index.column(), role);
    }
    return headingData(index.row(), index.column(), role);
}

QVariant ReviewTableModel::headingData(int group, int column, int role) const {
    const auto& heading = groups_[static_cast<std::size_t>(group)];
    switch (role) {
    case Qt::DisplayRole:
        if (column == includeColumn) {
            return QStringLiteral("%1 (%2)")
                .arg(titles_[static_cast<std::size_t>(group)])
                .arg(heading.rows.size());
        }
        return {};
    case Qt::ToolTipRole:
        if (heading.key.type == RowGroup::Type::folder) {
            return displayPath(heading.key.folder);
        }
        return {};
    case IsHeadingRole:
        return true;
    case DestinationTypeRole:
        return static_cast<int>(heading.key.type);
    default:
        return {};
    }
}

QVariant ReviewTableModel::rowData(const Row& row, int column, int role) const {
    switch (role) {
    case FileRole:
        return pathBytes(row.file());
    case IsHeadingRole:
        return false;
    case DestinationTypeRole:
        return static_cast<int>(ReviewRows::keyOf(row.destination).type);
    default:
        break;
    }
    switch (column) {
    case includeColumn:
        return role == Qt::CheckStateRole ? QVariant(row.included ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    case nameColumn:
        if (role == Qt::DisplayRole) {
            return QString::fromStdString(row.suggestion.item.name);
        }
        if (role == Qt::ToolTipRole) {
            return displayPath(row.file().parent_path());
        }
        if (role == Qt::DecorationRole && iconFor_) {
            return iconFor_(row);
        }
        return {};
    case destinationColumn:
        if (role == Qt::DisplayRole) {
            return row.destination ? model_.title(ReviewRows::keyOf(row.destination))
                                   : tr("Choose…");
        }
        if (role == Qt::ToolTipRole) {
            return QString::fromStdString(row.suggestion.reason);
        }
        return {};
    default:
        return {};
    }
}

bool ReviewTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const Row* row = rowAt(index);
    if (row == nullptr || index.column() != includeColumn || role != Qt::CheckStateRole ||
        !row->destination) {
        return false;
    }
    const bool included = value.value<Qt::CheckState>() == Qt::Checked;
    if (included != row->included) {
        model_.toggle(row->file()); // the model's change resets this table
    }
    return true;
}

Qt::ItemFlags ReviewTableModel::flags(const QModelIndex& index) const {
    const Row* row = rowAt(index);
    if (row == nullptr) {
        return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    }
    // Every cell stays enabled, since the view's arrow keys step over a line whose first cell is
    // not. Without a destination there is nothing to include: the check box can't be ticked and
    // the delegate shows it disabled.
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return index.column() == includeColumn && row->destination ? flags | Qt::ItemIsUserCheckable
                                                               : flags;
}

QVariant ReviewTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case nameColumn:
        return tr("Name");
    case destinationColumn:
        return tr("Move To");
    default:
        return QString();
    }
}

} // namespace vesk
