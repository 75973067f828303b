#include "app/DestinationChoices.h"

#include "app/AppModel.h"
#include "app/DestinationSection.h"
#include "app/DisplayText.h"
#include "app/TextFilter.h"

#include <QLocale>

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace vesk {

namespace {

struct Tally {
    int files = 0;
    double best = 0;
};

} // namespace

DestinationChoices::DestinationChoices(AppModel& model, std::vector<std::filesystem::path> files,
                                       QObject* parent)
    : QAbstractListModel(parent), model_(model), files_(std::move(files)) {
    const auto folderEntry = [](const Target& target, QString text) {
        return Entry{Kind::folder, std::move(text), TextFilter::fold(displayText(target.label)),
                     target.path, std::nullopt};
    };
    auto suggested = candidates();
    auto used = recent(suggested);
    if (!suggested.empty()) {
        sections_.push_back({{Kind::heading, tr("Suggested"), {}, {}, {}}, std::move(suggested)});
    }
    if (!used.empty()) {
        sections_.push_back({{Kind::heading, tr("Recent"), {}, {}, {}}, std::move(used)});
    }
    for (const auto& section : DestinationSection::of(model_.folderChoices())) {
        Section& made = sections_.emplace_back();
        made.heading = {Kind::heading, section.heading, {}, {}, {}};
        for (const auto& item : section.items) {
            made.entries.push_back(folderEntry(*item.target, item.text));
        }
    }
    actions_ = {{Kind::otherFolder, tr("Other Folder…"), {}, {}, {}},
                {Kind::trash, tr("Move to Trash"), {}, {}, {}},
                {Kind::dontTidy, tr("Don't Tidy"), {}, {}, {}}};
    show({});
}

// For one file its own ranking; for several, the folders ranked for most of them, each with
// its best score.
std::vector<DestinationChoices::Entry> DestinationChoices::candidates() const {
    std::map<int, Tally> tallies;
    for (const auto& file : files_) {
        const auto row = model_.rowIndex(file);
        if (!row) {
            continue;
        }
        for (const Candidate& candidate : model_.rows()[*row].suggestion->candidates) {
            Tally& tally = tallies[candidate.target];
            ++tally.files;
            tally.best = std::max(tally.best, candidate.score);
        }
    }
    std::vector<std::pair<int, Tally>> ranked(tallies.begin(), tallies.end());
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.second.files != b.second.files ? a.second.files > b.second.files
                                                : a.second.best > b.second.best;
    });
    std::vector<Entry> entries;
    const auto& targets = model_.targets();
    for (const auto& [index, tally] : ranked) {
        if (index < 0 || static_cast<std::size_t>(index) >= targets.size()) {
            continue;
        }
        const Target& target = targets[static_cast<std::size_t>(index)];
        if (target.isProject) {
            continue; // never offered as a destination
        }
        const QString label = displayText(target.label);
        entries.push_back({Kind::folder, label, TextFilter::fold(label), target.path, tally.best});
        if (entries.size() == mostCandidates) {
            break;
        }
    }
    return entries;
}

// Only folders that are still offered, and not already among the candidates.
std::vector<DestinationChoices::Entry>
DestinationChoices::recent(const std::vector<Entry>& shownAbove) const {
    std::unordered_set<std::string> listed;
    for (const Entry& entry : shownAbove) {
        listed.insert(entry.folder.native());
    }
    std::unordered_map<std::string, const Target*> offered;
    for (const Target* target : model_.folderChoices()) {
        offered.emplace(target->path.native(), target);
    }
    std::vector<Entry> entries;
    for (const auto& folder : model_.recentFolders()) {
        const auto target = offered.find(folder.native());
        if (target == offered.end() || !listed.insert(folder.native()).second) {
            continue;
        }
        const QString label = displayText(target->second->label);
        entries.push_back({Kind::folder, label, TextFilter::fold(label), folder, std::nullopt});
        if (entries.size() == mostRecent) {
            break;
        }
    }
    return entries;
}

void DestinationChoices::setFilter(const QString& typed) {
    beginResetModel();
    show(typed);
    endResetModel();
}

void DestinationChoices::show(const QString& typed) {
    const TextFilter filter(typed);
    shown_.clear();
    for (const Section& section : sections_) {
        bool headed = false;
        for (const Entry& entry : section.entries) {
            if (!filter.matchesFolded(entry.folded)) {
                continue;
            }
            if (!headed) {
                shown_.push_back(&section.heading);
                headed = true;
            }
            shown_.push_back(&entry);
        }
    }
    for (const Entry& action : actions_) {
        shown_.push_back(&action);
    }
}

bool DestinationChoices::choose(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    const Entry& entry = *shown_[static_cast<std::size_t>(row)];
    switch (entry.kind) {
    case Kind::heading:
        return false;
    case Kind::folder:
        model_.setDestination(Destination::folder(entry.folder), files_);
        break;
    case Kind::otherFolder:
        model_.chooseFolder(files_);
        break;
    case Kind::trash:
        model_.setDestination(Destination::trash(), files_);
        break;
    case Kind::dontTidy:
        model_.setDestination(std::nullopt, files_);
        break;
    }
    return true;
}

int DestinationChoices::startRow() const {
    int firstFolder = -1;
    for (int row = 0; row < rowCount(); ++row) {
        const Entry& entry = *shown_[static_cast<std::size_t>(row)];
        if (entry.kind != Kind::heading && isCurrent(entry)) {
            return row;
        }
        if (firstFolder < 0 && entry.kind != Kind::heading) {
            firstFolder = row;
        }
    }
    return firstFolder;
}

// Where the files go now, when they all go to the same place.
bool DestinationChoices::isCurrent(const Entry& entry) const {
    std::optional<std::optional<Destination>> shared;
    for (const auto& file : files_) {
        const auto row = model_.rowIndex(file);
        if (!row) {
            continue;
        }
        const auto& destination = model_.rows()[*row].destination;
        if (shared && *shared != destination) {
            return false;
        }
        shared = destination;
    }
    if (!shared) {
        return false;
    }
    switch (entry.kind) {
    case Kind::folder:
        return *shared && (*shared)->type == Destination::Type::folder &&
               (*shared)->path == entry.folder;
    case Kind::trash:
        return *shared && (*shared)->type == Destination::Type::trash;
    case Kind::dontTidy:
        return !*shared;
    case Kind::heading:
    case Kind::otherFolder:
        break;
    }
    return false;
}

int DestinationChoices::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant DestinationChoices::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Entry& entry = *shown_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return entry.text;
    case KindRole:
        return static_cast<int>(entry.kind);
    case ScoreRole:
        return entry.score ? QVariant(*entry.score) : QVariant();
    case IsCurrentRole:
        return isCurrent(entry);
    case Qt::AccessibleDescriptionRole:
        // A score is read out with its folder; so is where the file goes now.
        if (isCurrent(entry)) {
            return tr("Current destination");
        }
        return entry.score ? tr("Score %1").arg(QLocale().toString(*entry.score, 'f', 2))
                           : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags DestinationChoices::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Entry& entry = *shown_[static_cast<std::size_t>(index.row())];
    return entry.kind == Kind::heading ? Qt::NoItemFlags
                                       : Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                                             Qt::ItemNeverHasChildren;
}

} // namespace vesk
