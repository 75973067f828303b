#include "app/ReviewRows.h"

#include "app/PathBoundary.h"
#include "core/placement/Organizer.h"
#include "core/text/NameOrder.h"


#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace vesk {

Row ReviewRows::suggested(std::shared_ptr<const Suggestion> suggestion,
                          const std::filesystem::path& home, const Allows& allows) {
    auto where = destination(*suggestion, home);
    if (where && where->type == Destination::Type::folder && allows && !allows(where->path)) {
        where.reset();
    }
    const bool included = where.has_value();
    return Row{std::move(suggestion), std::move(where), included, false};
}

bool ReviewRows::isRow(const Suggestion& suggestion) {
    return suggestion.layer != Layer::skip && suggestion.layer != Layer::userFolder;
}

Row ReviewRows::rowFor(std::shared_ptr<const Suggestion> suggestion, const Row* current,
                       const std::filesystem::path& home, const Allows& allows,
                       const Ignored& ignored, ReviewedDestinations& asReviewed) {
    if (current != nullptr && current->edited) {
        return Row{std::move(suggestion), current->destination, current->included,
                   current->edited};
    }
    if (ignored && ignored(suggestion->item.path)) {
        return Row{std::move(suggestion), std::nullopt, false, true};
    }
    Row row = suggested(std::move(suggestion), home, allows);
    if (row.destination) {
        row.destination = asReviewed(std::move(*row.destination)); // as the person is shown it
    }
    return row;
}

std::vector<Row> ReviewRows::merge(const std::vector<Row>& current, const Plan& plan,
                                   const std::filesystem::path& home, const Allows& allows,
                                   const Ignored& ignored) {
    // Keyed by views of the current rows' paths: thousands of rows, and no copy of a path.
    std::unordered_map<std::string_view, const Row*> previous;
    previous.reserve(current.size());
    for (const Row& row : current) {
        previous.emplace(row.file().native(), &row);
    }
    ReviewedDestinations asReviewed;
    std::vector<Row> rows;
    rows.reserve(plan.suggestions.size());
    for (std::size_t i = 0; i < plan.suggestions.size(); ++i) {
        const Suggestion& suggestion = plan.suggestions[i];
        if (!isRow(suggestion)) {
            continue;
        }
        const auto old = previous.find(suggestion.item.path.native());
        rows.push_back(rowFor(plan.suggestions.shared(i),
                              old != previous.end() ? old->second : nullptr, home, allows,
                              ignored, asReviewed));
    }
    return rows;
}

int ReviewRows::waiting(const Plan& plan) {
    return static_cast<int>(std::count_if(
        plan.suggestions.begin(), plan.suggestions.end(), [](const Suggestion& suggestion) {
            return suggestion.layer == Layer::skip && !Organizer::isInPlace(suggestion);
        }));
}

std::vector<Row> ReviewRows::pending(const std::vector<Row>& rows) {
    std::vector<Row> result;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(result),
                 [](const Row& row) { return row.isPending(); });
    return result;
}

RowGroup::Key ReviewRows::keyOf(const Row& row) {
    return row.isIgnored() ? RowGroup::Key{RowGroup::Type::ignored, {}} : keyOf(row.destination);
}

RowGroup::Key ReviewRows::keyOf(const std::optional<Destination>& destination) {
    if (!destination) {
        return {RowGroup::Type::unsorted, {}};
    }
    if (destination->type == Destination::Type::trash) {
        return {RowGroup::Type::trash, {}};
    }
    return {RowGroup::Type::folder, destination->path};
}

std::vector<ReviewRows::Layout> ReviewRows::layout(const std::vector<Row>& rows,
                                                   const std::filesystem::path& home) {
    std::vector<Layout> folders;
    Layout trash{{RowGroup::Type::trash, {}}, {}, {}};
    Layout unsorted{{RowGroup::Type::unsorted, {}}, {}, {}};
    Layout ignored{{RowGroup::Type::ignored, {}}, {}, {}};
    std::unordered_map<std::string, std::size_t> folderIndex;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RowGroup::Key key = keyOf(rows[i]);
        switch (key.type) {
        case RowGroup::Type::trash:
            trash.rows.push_back(i);
            break;
        case RowGroup::Type::unsorted:
            unsorted.rows.push_back(i);
            break;
        case RowGroup::Type::ignored:
            ignored.rows.push_back(i);
            break;
        case RowGroup::Type::folder: {
            const auto [at, added] = folderIndex.emplace(key.folder.native(), folders.size());
            if (added) {
                folders.push_back(Layout{key, title(key, home), {}});
            }
            folders[at->second].rows.push_back(i);
            break;
        }
        }
    }
    // Titles in UTF-8 compare byte by byte, which is code-point order.
    std::vector<std::pair<std::string, Layout>> titled;
    titled.reserve(folders.size());
    for (auto& group : folders) {
        titled.emplace_back(group.title.toStdString(), std::move(group));
    }
    std::stable_sort(titled.begin(), titled.end(), [](const auto& a, const auto& b) {
        if (a.second.rows.size() != b.second.rows.size()) {
            return a.second.rows.size() > b.second.rows.size();
        }
        return a.first < b.first;
    });
    std::vector<Layout> result;
    result.reserve(titled.size() + 2);
    for (auto& [heading, group] : titled) {
        result.push_back(std::move(group));
    }
    for (Layout* group : {&trash, &unsorted, &ignored}) {
        if (!group->rows.empty()) {
            group->title = title(group->key, home);
            result.push_back(std::move(*group));
        }
    }
    return result;
}

std::vector<RowGroup> ReviewRows::groups(const std::vector<Row>& rows,
                                         const std::filesystem::path& home) {
    std::vector<RowGroup> result;
    for (const Layout& group : layout(rows, home)) {
        RowGroup& made = result.emplace_back(RowGroup{group.key, {}});
        made.rows.reserve(group.rows.size());
        for (const std::size_t row : group.rows) {
            made.rows.push_back(rows[row]);
        }
    }
    return result;
}

std::vector<Row> ReviewRows::ordered(const std::vector<Row>& rows,
                                     const std::filesystem::path& home) {
    std::vector<Row> result;
    result.reserve(rows.size());
    for (const Layout& group : layout(rows, home)) {
        for (const std::size_t row : group.rows) {
            result.push_back(rows[row]);
        }
    }
    return result;
}

std::vector<const Target*> ReviewRows::folderChoices(const std::vector<Target>& targets) {
    std::vector<const Target*> choices;
    for (const Target& target : targets) {
        if (!target.isProject) {
            choices.push_back(&target);
        }
    }
    sortByName(choices, [](const Target* target) -> const std::string& { return target->label; });
    return choices;
}

QString ReviewRows::title(const RowGroup::Key& key, const std::filesystem::path& home) {
    switch (key.type) {
    case RowGroup::Type::trash:
        return tr("Trash");
    case RowGroup::Type::unsorted:
        return tr("Unsorted");
    case RowGroup::Type::ignored:
        return tr("Ignored");
    case RowGroup::Type::folder:
        break;
    }
    if (key.folder == home / Action::applicationsFolder) {
        return tr("Applications");
    }
    const auto name = key.folder.filename();
    return displayPath(name.empty() ? key.folder.parent_path().filename() : name);
}

} // namespace vesk
