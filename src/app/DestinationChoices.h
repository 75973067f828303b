#pragma once

#include <QAbstractListModel>

#include <filesystem>
#include <optional>
#include <vector>

namespace vesk {

class AppModel;

// What a destination chooser lists for one file or several: the folders the engine ranked best
// for them, with their scores; the folders used lately; every folder, in sections by its first
// folder below home; then another folder, the Trash and "Don't Tidy". What the person types
// narrows the folders (TextFilter); the three last entries always stay.
class DestinationChoices : public QAbstractListModel {
    Q_OBJECT

public:
    enum class Kind { heading, folder, otherFolder, trash, dontTidy };
    enum Role {
        KindRole = Qt::UserRole + 1, // Kind as int
        ScoreRole,                   // the engine's score, for its candidates
        IsCurrentRole,               // where the file goes now
    };
    static constexpr std::size_t mostCandidates = 5;
    static constexpr std::size_t mostRecent = 5;

    DestinationChoices(AppModel& model, std::vector<std::filesystem::path> files,
                       QObject* parent = nullptr);

    void setFilter(const QString& typed);
    // Sends the files where the entry at `row` says; false for a heading.
    bool choose(int row);
    // The entry to start on: where the file goes now, else the first folder.
    [[nodiscard]] int startRow() const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Entry {
        Kind kind = Kind::heading;
        QString text;
        QString folded; // what the filter searches: the folder's whole label
        std::filesystem::path folder;
        std::optional<double> score;
    };
    struct Section {
        Entry heading;
        std::vector<Entry> entries;
    };

    [[nodiscard]] std::vector<Entry> candidates() const;
    [[nodiscard]] std::vector<Entry> recent(const std::vector<Entry>& shownAbove) const;
    [[nodiscard]] bool isCurrent(const Entry& entry) const;
    void show(const QString& typed);

    AppModel& model_;
    std::vector<std::filesystem::path> files_;
    std::vector<Section> sections_;
    std::vector<Entry> actions_;
    std::vector<const Entry*> shown_;
};

} // namespace vesk
