#include "app/ReviewTableModel.h"

#include "app/AppModel.h"
#include "app/DisplayText.h"
#include "app/PathBoundary.h"
#include "app/ReasonText.h"

#include <algorithm>

namespace vesk {

namespace {

// Headings are top-level items with id 0; a row's id is its group's position plus one.
constexpr quintptr headingId = 0;

bool sameHeadings(const std::vector<ReviewRows::Layout>& a,
                  const std::vector<ReviewRows::Layout>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.key == y.key && x.title == y.title && x.rows.size() == y.rows.size();
    });
}

} // namespace

ReviewTableModel::ReviewTableModel(AppModel& model, IconFor iconFor, QObject* parent)
    : QAbstractItemModel(parent), model_(model), iconFor_(std::move(iconFor)) {
    follow();
    connect(&model_, &AppModel::rowsChanged, this, &ReviewTableModel::follow);
    connect(&model_, &AppModel::rowsIncludedChanged, this, &ReviewTableModel::showIncluded);
}

void ReviewTableModel::setFilter(const QString& typed) {
    filter_ = TextFilter(typed);
    follow();
}

void ReviewTableModel::follow() {
    auto groups = ReviewRows::layout(model_.rows(), model_.home());
    if (!filter_.isEmpty()) {
        for (auto& group : groups) {
            std::erase_if(group.rows, [this](std::size_t row) {
                return !filter_.matches(searchText(model_.rows()[row]));
            });
        }
        std::erase_if(groups, [](const auto& group) { return group.rows.empty(); });
    }
    PathList files;
    files.reserve(model_.rows().size());
    for (const auto& group : groups) {
        for (const std::size_t row : group.rows) {
            files.push_back(model_.rows()[row].file());
        }
    }
    if (files == shownFiles_ && sameHeadings(groups, groups_)) {
        // Every line stays where it is: only what the lines say may differ.
        setLayout(std::move(groups));
        for (int group = 0; group < static_cast<int>(groups_.size()); ++group) {
            const int last = static_cast<int>(groups_[static_cast<std::size_t>(group)].rows.size());
            emit dataChanged(indexAt({group, 0}, 0), indexAt({group, last - 1}, columnCount_ - 1));
        }
        return;
    }
    beginResetModel();
    setLayout(std::move(groups));
    shownFiles_ = std::move(files);
    endResetModel();
}

void ReviewTableModel::setLayout(std::vector<ReviewRows::Layout> groups) {
    groups_ = std::move(groups);
    places_.assign(model_.rows().size(), Place{});
    for (std::size_t group = 0; group < groups_.size(); ++group) {
        const auto& rows = groups_[group].rows;
        for (std::size_t position = 0; position < rows.size(); ++position) {
            places_[rows[position]] = {static_cast<int>(group), static_cast<int>(position)};
        }
    }
}

// One signal per run of neighbouring lines: ticking thousands of selected rows stays cheap for
// the view and for screen readers alike.
void ReviewTableModel::showIncluded(const std::vector<std::size_t>& rows) {
    std::vector<Place> changed;
    changed.reserve(rows.size());
    for (const std::size_t row : rows) {
        changed.push_back(places_[row]);
    }
    std::sort(changed.begin(), changed.end(), [](const Place& a, const Place& b) {
        return a.group != b.group ? a.group < b.group : a.position < b.position;
    });
    for (std::size_t first = 0; first < changed.size();) {
        std::size_t last = first;
        while (last + 1 < changed.size() && changed[last + 1].group == changed[first].group &&
               changed[last + 1].position == changed[last].position + 1) {
            ++last;
        }
        emit dataChanged(indexAt(changed[first], includeColumn),
                         indexAt(changed[last], includeColumn), {Qt::CheckStateRole});
        first = last + 1;
    }
}

QModelIndex ReviewTableModel::indexAt(const Place& place, int column) const {
    return createIndex(place.position, column, static_cast<quintptr>(place.group) + 1);
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
    return &model_.rows()[group.rows[static_cast<std::size_t>(index.row())]];
}

QModelIndex ReviewTableModel::indexOf(const std::filesystem::path& file, int column) const {
    const auto row = model_.rowIndex(file);
    if (!row || *row >= places_.size() || places_[*row].group < 0) {
        return {};
    }
    return indexAt(places_[*row], column);
}

QVariant ReviewTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (index.internalId() != headingId && role == FileRole) {
        // From the lines as shown: while a reset is announced the application's rows are
        // already the new ones, and the view asks which files its selection holds.
        const std::string_view file = shownFiles_[shownPosition(index)];
        return QByteArray(file.data(), static_cast<qsizetype>(file.size()));
    }
    if (const Row* row = rowAt(index)) {
        return rowData(*row, index.column(), role);
    }
    return headingData(index.row(), index.column(), role);
}

std::size_t ReviewTableModel::shownPosition(const QModelIndex& index) const {
    const auto group = static_cast<std::size_t>(index.internalId() - 1);
    std::size_t position = static_cast<std::size_t>(index.row());
    for (std::size_t before = 0; before < group; ++before) {
        position += groups_[before].rows.size();
    }
    return position;
}

QVariant ReviewTableModel::headingData(int group, int column, int role) const {
    const auto& heading = groups_[static_cast<std::size_t>(group)];
    switch (role) {
    case Qt::DisplayRole:
        if (column == includeColumn) {
            return QStringLiteral("%1 (%2)").arg(heading.title).arg(heading.rows.size());
        }
        return {};
    case Qt::ToolTipRole:
        if (heading.key.type == RowGroup::Type::folder) {
            return plainToolTip(displayPath(heading.key.folder));
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
    case IsHeadingRole:
        return false;
    case DestinationTypeRole:
        return static_cast<int>(ReviewRows::keyOf(row).type);
    case ReasonRole:
        return reasonOf(row);
    case Qt::AccessibleDescriptionRole:
        // Read out with every cell of the row: where it goes and why.
        return tr("%1. %2").arg(destinationText(row), reasonOf(row));
    default:
        break;
    }
    switch (column) {
    case includeColumn:
        return role == Qt::CheckStateRole ? QVariant(row.included ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    case nameColumn:
        if (role == Qt::DisplayRole) {
            return displayText(row.suggestion->item.name);
        }
        if (role == Qt::ToolTipRole) {
            // The whole name, however narrow the column, and where the file lies.
            return plainToolTip(displayText(row.suggestion->item.name) + QLatin1Char('\n') +
                                displayPath(row.file().parent_path()));
        }
        if (role == Qt::DecorationRole && iconFor_) {
            return iconFor_(row);
        }
        return {};
    case destinationColumn:
        if (role == Qt::DisplayRole) {
            return destinationText(row);
        }
        if (role == Qt::ToolTipRole) {
            return plainToolTip(reasonOf(row));
        }
        return {};
    default:
        return {};
    }
}

QString ReviewTableModel::reasonOf(const Row& row) {
    return ReasonText::of(row.suggestion->reason);
}

QString ReviewTableModel::destinationText(const Row& row) const {
    if (row.isIgnored()) {
        return tr("Don't Tidy");
    }
    return row.destination ? model_.title(ReviewRows::keyOf(row.destination)) : tr("Choose…");
}

QString ReviewTableModel::searchText(const Row& row) const {
    QString text = displayText(row.suggestion->item.name) + QLatin1Char(' ') + reasonOf(row) +
                   QLatin1Char(' ') + destinationText(row);
    if (row.destination && row.destination->type == Destination::Type::folder) {
        text += QLatin1Char(' ') + displayPath(row.destination->path.lexically_relative(model_.home()));
    }
    return text;
}

bool ReviewTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const Row* row = rowAt(index);
    if (row == nullptr || index.column() != includeColumn || role != Qt::CheckStateRole ||
        !row->destination) {
        return false;
    }
    const bool included = value.value<Qt::CheckState>() == Qt::Checked;
    if (included != row->included) {
        model_.toggle(row->file()); // the model tells this table what changed
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
