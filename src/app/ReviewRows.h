#pragma once

#include "app/Row.h"
#include "core/plan/Plan.h"

#include <QCoreApplication>
#include <QString>

#include <filesystem>
#include <functional>
#include <vector>

namespace vesk {

// How a plan becomes review rows and how rows are grouped and ordered. The review window and
// vesk-cli's human output both use these, so the two never disagree.
class ReviewRows {
    Q_DECLARE_TR_FUNCTIONS(ReviewRows)

public:
    using Allows = std::function<bool(const std::filesystem::path&)>;
    using Ignored = std::function<bool(const std::filesystem::path&)>;

    // The new rows for a plan: one per suggestion that is neither too new nor a folder lying in
    // a source folder, in plan order. A row the person edited keeps its destination and choice
    // (matched by file); a file the person said not to tidy in an earlier run (`ignored`) stays
    // so; a folder destination that `allows` refuses is dropped from its row.
    [[nodiscard]] static std::vector<Row> merge(const std::vector<Row>& current, const Plan& plan,
                                                const std::filesystem::path& home,
                                                const Allows& allows, const Ignored& ignored = {});
    // Whether a suggestion is shown as a row: not for a file too new to tidy or a folder lying
    // in a source folder.
    [[nodiscard]] static bool isRow(const Suggestion& suggestion);
    // The row of a suggestion of a new plan, given the file's row so far, if it had one: as
    // merge makes each.
    [[nodiscard]] static Row rowFor(std::shared_ptr<const Suggestion> suggestion, const Row* current,
                                    const std::filesystem::path& home, const Allows& allows,
                                    const Ignored& ignored, ReviewedDestinations& asReviewed);
    // The row as the engine suggests it, with no edit of the person's.
    [[nodiscard]] static Row suggested(std::shared_ptr<const Suggestion> suggestion,
                                       const std::filesystem::path& home, const Allows& allows);
    // The files too new to tidy yet (not those already where they belong).
    [[nodiscard]] static int waiting(const Plan& plan);

    [[nodiscard]] static std::vector<Row> pending(const std::vector<Row>& rows);

    // A group as positions in the rows it was made from, with its title.
    struct Layout {
        RowGroup::Key key;
        QString title;
        std::vector<std::size_t> rows; // ascending

        bool operator==(const Layout&) const = default;
    };
    // Folder groups, larger first, equal sizes by title in code-point order; then the Trash,
    // then the rows without a destination, then those the person said not to tidy. Copies no row, so a view of thousands can regroup
    // after every change.
    [[nodiscard]] static std::vector<Layout> layout(const std::vector<Row>& rows,
                                                    const std::filesystem::path& home);
    // The same with the rows themselves.
    [[nodiscard]] static std::vector<RowGroup> groups(const std::vector<Row>& rows,
                                                      const std::filesystem::path& home);
    // The rows of `groups`, group by group: the review table's order.
    [[nodiscard]] static std::vector<Row> ordered(const std::vector<Row>& rows,
                                                  const std::filesystem::path& home);
    // The folders a row can be sent to: no code projects, in the file manager's name order.
    // Points into `targets`, which it must not outlive.
    [[nodiscard]] static std::vector<const Target*>
    folderChoices(const std::vector<Target>& targets);
    // A group's heading, also naming a destination in a row's menu.
    [[nodiscard]] static QString title(const RowGroup::Key& key,
                                       const std::filesystem::path& home);

    [[nodiscard]] static RowGroup::Key keyOf(const std::optional<Destination>& destination);
    // The group a row is shown in.
    [[nodiscard]] static RowGroup::Key keyOf(const Row& row);
};

} // namespace vesk
