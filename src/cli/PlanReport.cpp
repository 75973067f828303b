#include "cli/PlanReport.h"

#include "app/ReasonText.h"
#include "app/ReviewRows.h"
#include "cli/JsonOutput.h"
#include "cli/PrintableText.h"
#include "core/placement/Organizer.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace vesk {

namespace {

std::string actionName(Action::Type type) {
    switch (type) {
    case Action::Type::move:
        return "move";
    case Action::Type::trash:
        return "trash";
    case Action::Type::toApplications:
        return "toApplications";
    case Action::Type::keep:
        return "keep";
    case Action::Type::ask:
        return "ask";
    }
    return "ask";
}

// The home-relative folder a move or an application goes to.
Json destinationOf(const Action& action) {
    switch (action.type) {
    case Action::Type::move:
    case Action::Type::toApplications:
        return action.key();
    default:
        return nullptr;
    }
}

Json suggestionJson(const Suggestion& suggestion) {
    Json json;
    putPath(json, "file", suggestion.item.path);
    json["name"] = suggestion.item.name;
    json["kind"] = std::string(rawValue(suggestion.item.kind));
    json["action"] = actionName(suggestion.action.type);
    json["destination"] = destinationOf(suggestion.action);
    json["layer"] = ReasonText::of(suggestion.layer).toStdString();
    json["layerKey"] = std::string(layerKey(suggestion.layer));
    json["reasonCode"] = std::string(reasonKey(suggestion.reason.code));
    json["target"] = suggestion.target ? Json(*suggestion.target) : Json(nullptr);
    json["score"] = suggestion.score ? Json(*suggestion.score) : Json(nullptr);
    json["reason"] = ReasonText::of(suggestion.reason).toStdString();
    return json;
}

// A group's heading: the folder's path below home (or as it is, outside home).
std::string heading(const RowGroup& group, const std::filesystem::path& home) {
    switch (group.key.type) {
    case RowGroup::Type::trash:
        return "Trash";
    case RowGroup::Type::unsorted:
        return "Needs your decision";
    case RowGroup::Type::ignored:
        return "Not tidied";
    case RowGroup::Type::folder:
        break;
    }
    const auto relative = group.key.folder.lexically_relative(home);
    const bool inside = !relative.empty() && *relative.begin() != "..";
    return (inside ? relative : group.key.folder).string();
}

void printGroup(std::ostringstream& out, const RowGroup& group, const std::filesystem::path& home) {
    out << printable(heading(group, home)) << " (" << group.rows.size() << ")\n";
    for (const Row& row : group.rows) {
        out << "  " << printable(row.suggestion->item.name) << "\n      "
            << printable(ReasonText::of(row.suggestion->reason).toStdString()) << "  ["
            << ReasonText::of(row.suggestion->layer).toStdString() << "]\n";
    }
    out << "\n";
}

// Why the model was not used, with what the service said about it.
std::string modelUnavailable(const Plan& plan) {
    const std::string reason = ReasonText::of(*plan.llmUnavailable).toStdString();
    return plan.llmDetail.empty() ? reason : reason + ": " + plan.llmDetail;
}

// "1 folder", "2 folders".
void count(std::ostream& out, int count, const char* one, const char* many) {
    out << count << ' ' << (count == 1 ? one : many);
}

// How far the scan has got, so that a large home shows movement from the start.
std::string scanningLine(const OrganizerProgress& progress) {
    std::ostringstream line;
    line << "Scanning…";
    if (progress.filesRead > 0 || progress.foldersRead > 0) {
        line << ' ';
        count(line, progress.filesRead, "waiting file", "waiting files");
    }
    if (progress.foldersRead > 0) {
        line << ", ";
        count(line, progress.foldersRead, "folder", "folders");
    }
    return line.str();
}

} // namespace

std::string planJson(const Plan& plan) {
    Json json;
    Json targets = Json::array();
    for (const auto& target : plan.targets) {
        targets.push_back(target.label);
    }
    json["targets"] = std::move(targets);
    Json suggestions = Json::array();
    for (const auto& suggestion : plan.suggestions) {
        suggestions.push_back(suggestionJson(suggestion));
    }
    json["suggestions"] = std::move(suggestions);
    json["llmUnavailable"] = plan.llmUnavailable ? Json(modelUnavailable(plan)) : Json(nullptr);
    json["profiledFolders"] = plan.profiledFolders;
    json["llmCalls"] = plan.llmCalls;
    json["llmFailures"] = plan.llmFailures;
    json["llmSeconds"] = plan.llmSeconds;
    json["contentReads"] = plan.contentReads;
    json["qaApproved"] = plan.qaApproved;
    json["qaRejected"] = plan.qaRejected;
    json["qaFailed"] = plan.qaFailed;
    return jsonLine(json);
}

std::string planText(const Plan& plan, const std::filesystem::path& home) {
    std::ostringstream out;
    if (plan.suggestions.empty()) {
        out << "Nothing is waiting in the source folders.\n";
    }
    // Grouped and ordered as the review window shows them.
    const auto rows = ReviewRows::merge({}, plan, home, {});
    for (const RowGroup& group : ReviewRows::groups(rows, home)) {
        printGroup(out, group, home);
    }
    const int tooNew = ReviewRows::waiting(plan);
    const auto count = [&](auto predicate) {
        return std::count_if(plan.suggestions.begin(), plan.suggestions.end(), predicate);
    };
    const auto folders =
        count([](const Suggestion& suggestion) { return suggestion.layer == Layer::userFolder; });
    const auto inPlace = count(&Organizer::isInPlace);
    if (tooNew + folders + inPlace > 0) {
        out << "Left alone: " << tooNew << " too new or still downloading, " << folders
            << " folders";
        if (inPlace > 0) {
            out << ", " << inPlace << " already where they belong";
        }
        out << "\n";
    }
    if (plan.llmUnavailable) {
        out << "Local model: " << modelUnavailable(plan) << "\n";
    }
    return out.str();
}

std::string progressLine(const OrganizerProgress& progress) {
    using Stage = OrganizerProgress::Stage;
    switch (progress.stage) {
    case Stage::scanning:
        return scanningLine(progress);
    case Stage::comparing:
        return "Comparing names " + std::to_string(progress.done + 1) + " of " +
               std::to_string(progress.total);
    case Stage::understandingFolders:
    case Stage::placing:
    case Stage::reviewing:
        if (progress.total == 0) {
            return "Asking the local model…";
        }
        return "Asking the local model… " + std::to_string(progress.done) + " of " +
               std::to_string(progress.total);
    }
    return {};
}

} // namespace vesk
