#include "cli/PlanReport.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <sstream>
#include <vector>

namespace vesk {

namespace {

using Json = nlohmann::ordered_json;

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

Json destinationOf(const Action& action) {
    switch (action.type) {
    case Action::Type::move:
        return action.path;
    case Action::Type::toApplications:
        return "/Applications";
    default:
        return nullptr;
    }
}

Json suggestionJson(const Suggestion& suggestion) {
    Json json;
    json["file"] = suggestion.item.url.native();
    json["name"] = suggestion.item.name;
    json["kind"] = std::string(rawValue(suggestion.item.kind));
    json["action"] = actionName(suggestion.action.type);
    json["destination"] = destinationOf(suggestion.action);
    json["layer"] = std::string(rawValue(suggestion.layer));
    json["target"] = suggestion.target ? Json(*suggestion.target) : Json(nullptr);
    json["score"] = suggestion.score ? Json(*suggestion.score) : Json(nullptr);
    json["reason"] = suggestion.reason;
    return json;
}

struct Group {
    std::string title;
    std::vector<const Suggestion*> members;
};

void printGroup(std::ostringstream& out, const Group& group) {
    out << group.title << " (" << group.members.size() << ")\n";
    for (const Suggestion* suggestion : group.members) {
        out << "  " << suggestion->item.name << "\n      " << suggestion->reason << "  ["
            << rawValue(suggestion->layer) << "]\n";
    }
    out << "\n";
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
    json["llmUnavailable"] = plan.llmUnavailable ? Json(*plan.llmUnavailable) : Json(nullptr);
    json["profiledFolders"] = plan.profiledFolders;
    json["llmCalls"] = plan.llmCalls;
    json["llmFailures"] = plan.llmFailures;
    json["llmSeconds"] = plan.llmSeconds;
    json["contentReads"] = plan.contentReads;
    json["qaApproved"] = plan.qaApproved;
    json["qaRejected"] = plan.qaRejected;
    json["qaFailed"] = plan.qaFailed;
    // File names need not be valid UTF-8; such bytes become U+FFFD rather than failing.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string planText(const Plan& plan) {
    std::map<std::string, Group> folders;
    Group trash{"Trash", {}};
    Group undecided{"Needs your decision", {}};
    int tooNew = 0;
    int keptFolders = 0;
    for (const auto& suggestion : plan.suggestions) {
        switch (suggestion.action.type) {
        case Action::Type::move:
        case Action::Type::toApplications: {
            const std::string key = suggestion.action.type == Action::Type::move
                                        ? suggestion.action.path
                                        : "/Applications";
            auto& group = folders[key];
            group.title = key;
            group.members.push_back(&suggestion);
            break;
        }
        case Action::Type::trash:
            trash.members.push_back(&suggestion);
            break;
        case Action::Type::keep:
            (suggestion.layer == Layer::userFolder ? keptFolders : tooNew) += 1;
            break;
        case Action::Type::ask:
            undecided.members.push_back(&suggestion);
            break;
        }
    }

    std::vector<const Group*> order;
    for (const auto& [key, group] : folders) {
        order.push_back(&group);
    }
    std::stable_sort(order.begin(), order.end(), [](const Group* a, const Group* b) {
        return a->members.size() > b->members.size();
    });

    std::ostringstream out;
    if (plan.suggestions.empty()) {
        out << "Nothing is waiting in the source folders.\n";
    }
    for (const Group* group : order) {
        printGroup(out, *group);
    }
    for (const Group* group : {&trash, &undecided}) {
        if (!group->members.empty()) {
            printGroup(out, *group);
        }
    }
    if (tooNew + keptFolders > 0) {
        out << "Left alone: " << tooNew << " too new or still downloading, " << keptFolders
            << " folders\n";
    }
    if (plan.llmUnavailable) {
        out << "Local model: " << *plan.llmUnavailable << "\n";
    }
    return out.str();
}

} // namespace vesk
