// Finding the model service and the model to ask: the address that answers, whether it wants
// a key, and which of its models can chat.

#include "core/model/ModelService.h"

#include "core/model/ServiceConnection.h"
#include "core/model/ServiceText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <exception>

namespace vesk {

using nlohmann::json;

namespace {

enum class Ability { chat, unknown, embedding }; // in the order the list shows them

struct Listed {
    std::string id;
    Ability ability;
};

bool contains(const json& list, const char* value) {
    return std::any_of(list.begin(), list.end(), [&](const json& item) { return item == value; });
}

// What the listing itself says: capabilities or a type where the service gives them, else the
// name, since embedding models are named so nearly everywhere.
Ability abilityOf(const json& entry, const std::string& id) {
    if (const auto capabilities = entry.find("capabilities");
        capabilities != entry.end() && capabilities->is_array() && !capabilities->empty()) {
        return contains(*capabilities, "completion") || contains(*capabilities, "chat")
                   ? Ability::chat
                   : Ability::embedding;
    }
    if (const auto type = entry.find("type"); type != entry.end() && type->is_string()) {
        if (*type == "embedding" || *type == "embeddings") {
            return Ability::embedding;
        }
        if (*type == "llm" || *type == "vlm" || *type == "chat") {
            return Ability::chat;
        }
    }
    std::string name = id;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name.find("embed") != std::string::npos ? Ability::embedding : Ability::unknown;
}

// The models of a /models listing, in its order; absent when the body is not such a listing.
std::optional<std::vector<Listed>> listedModels(const std::string& body) {
    const auto listing = json::parse(body, nullptr, false);
    if (!listing.is_object() || !listing.contains("data") || !listing["data"].is_array()) {
        return std::nullopt;
    }
    std::vector<Listed> models;
    for (const auto& entry : listing["data"]) {
        if (entry.is_object() && entry.contains("id") && entry["id"].is_string()) {
            const auto id = entry["id"].get<std::string>();
            models.push_back({id, abilityOf(entry, id)});
        }
    }
    return models;
}

class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds limit)
        : end_(std::chrono::steady_clock::now() + limit) {}
    [[nodiscard]] std::chrono::milliseconds left() const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end_ - std::chrono::steady_clock::now());
        return std::max(left, std::chrono::milliseconds(1));
    }

private:
    std::chrono::steady_clock::time_point end_;
};

// Asks one service, over one connection, within one deadline.
class Inquiry {
public:
    Inquiry(const ServiceAddress& address, const ModelEndpoint& endpoint,
            std::chrono::milliseconds limit, const std::stop_token& stop)
        : connection_(address, endpoint.key), key_(endpoint.key), deadline_(limit), stop_(stop) {}

    [[nodiscard]] std::optional<ServiceReply> models(const std::string& path) {
        return connection_.get(path + "/models", deadline_.left(), stop_);
    }

    // Ollama tells a model's capabilities in the details of the model; other services
    // don't have these details, and are not asked again once one said so.
    [[nodiscard]] Ability details(const std::string& root, const std::string& id) {
        if (!detailsKnown_) {
            return Ability::unknown;
        }
        const auto reply =
            connection_.post(root + "/api/show", json{{"model", id}}.dump(), deadline_.left(), stop_);
        if (!reply || reply->status != 200) {
            detailsKnown_ = reply && reply->status != 404 && reply->status != 405;
            return Ability::unknown;
        }
        const auto details = json::parse(reply->body, nullptr, false);
        const auto capabilities = details.is_object() ? details.find("capabilities") : details.end();
        if (capabilities == details.end() || !capabilities->is_array()) {
            return Ability::unknown;
        }
        return contains(*capabilities, "completion") ? Ability::chat : Ability::embedding;
    }

    [[nodiscard]] const std::string& error() const { return connection_.error(); }
    [[nodiscard]] const std::string& key() const { return key_; }

private:
    ServiceConnection connection_;
    std::string key_;
    Deadline deadline_;
    std::stop_token stop_;
    bool detailsKnown_ = true;
};

bool isListing(const std::optional<ServiceReply>& reply) {
    return reply && reply->status == 200 && listedModels(reply->body);
}

// A reply that says something about the service itself rather than about the path asked.
bool isTelling(const std::optional<ServiceReply>& reply) {
    return isListing(reply) || (reply && (wantsKey(reply->status) || reply->status == 503));
}

ModelCheck failed(ModelUnavailable why, std::string detail) {
    ModelCheck check;
    check.unavailable = why;
    check.detail = std::move(detail);
    return check;
}

// Sorts the listed models, chat models first, and chooses one unless the endpoint names it.
ModelCheck chooseModel(std::vector<Listed> listed, Inquiry& inquiry, const std::string& root,
                       const ModelEndpoint& endpoint, ModelSorting sorting) {
    const bool choosing = endpoint.model.empty();
    const bool chatListed = std::any_of(listed.begin(), listed.end(),
                                        [](const Listed& model) { return model.ability == Ability::chat; });
    for (auto& model : listed) {
        if (model.ability != Ability::unknown) {
            continue;
        }
        if (sorting == ModelSorting::all || (choosing && !chatListed)) {
            model.ability = inquiry.details(root, model.id);
            if (sorting == ModelSorting::untilChosen && model.ability != Ability::embedding) {
                break;
            }
        }
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [](const Listed& a, const Listed& b) { return a.ability < b.ability; });
    ModelCheck check;
    for (const auto& model : listed) {
        check.models.push_back(model.id);
        if (choosing && check.model.empty() && model.ability != Ability::embedding) {
            check.model = model.id;
        }
    }
    // The list stays, also when no model can be used, so that one can be chosen from it.
    if (!endpoint.model.empty()) {
        // A chosen model the service does not have (yet) would fail every request.
        if (std::find(check.models.begin(), check.models.end(), endpoint.model) ==
            check.models.end()) {
            check.unavailable = ModelUnavailable::notReady;
            check.detail = "the model service does not list the model “" +
                           excerpt(oneLine(endpoint.model), 200) + "”";
            return check;
        }
        check.model = endpoint.model;
    } else if (check.model.empty()) {
        check.unavailable = ModelUnavailable::notReady;
        check.detail = listed.empty() ? "the model service lists no model"
                                      : "the model service lists no model that can chat";
        return check;
    }
    check.unavailable.reset();
    return check;
}

ModelCheck inquire(const ServiceAddress& address, const ModelEndpoint& endpoint,
                   std::chrono::milliseconds limit, const std::stop_token& stop,
                   ModelSorting sorting) {
    Inquiry inquiry(address, endpoint, limit, stop);
    std::string path = address.path;
    auto listing = inquiry.models(path);
    if (listing && !isTelling(listing) && !path.ends_with("/v1")) {
        // Most services serve the OpenAI routes under /v1; people often leave it out.
        if (auto underV1 = inquiry.models(path + "/v1"); isTelling(underV1)) {
            listing = std::move(underV1);
            path += "/v1";
        }
    }
    if (!listing) {
        return failed(ModelUnavailable::notAvailable, inquiry.error());
    }
    if (listing->status != 200) {
        const auto why = refusal(*listing, endpoint.key);
        if (wantsKey(listing->status)) {
            return failed(endpoint.key.empty() ? ModelUnavailable::needsKey
                                               : ModelUnavailable::keyRefused,
                          why);
        }
        // llama-server answers 503 while it loads the model.
        return failed(listing->status == 503 ? ModelUnavailable::notReady
                                             : ModelUnavailable::notAvailable,
                      why);
    }
    auto listed = listedModels(listing->body);
    if (!listed) {
        return failed(ModelUnavailable::notAvailable,
                      "the model service's answer at " + path + "/models is not a list of models");
    }
    const std::string root = path.ends_with("/v1") ? path.substr(0, path.size() - 3) : path;
    auto check = chooseModel(std::move(*listed), inquiry, root, endpoint, sorting);
    std::string url = endpoint.url;
    while (url.ends_with('/')) {
        url.pop_back();
    }
    check.url = path == address.path ? url : url + "/v1";
    return check;
}

} // namespace

ModelCheck checkModelService(const ModelEndpoint& endpoint, std::chrono::milliseconds limit,
                             const std::stop_token& stop, ModelSorting sorting) {
    if (endpoint.url == "off") {
        return failed(ModelUnavailable::turnedOff, {});
    }
    const auto address = loopbackService(endpoint.url);
    if (!address) {
        return failed(ModelUnavailable::notAvailable,
                      "the address is not an http:// address on this computer");
    }
    try {
        return inquire(*address, endpoint, limit, stop, sorting);
    } catch (const std::exception& error) {
        return failed(ModelUnavailable::notAvailable, error.what()); // no thread to watch with
    }
}

} // namespace vesk
