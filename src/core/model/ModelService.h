#pragma once

#include "core/model/ModelEndpoint.h"
#include "core/plan/ModelUnavailable.h"

#include <chrono>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace vesk {

// What asking the model service what it offers found out.
struct ModelCheck {
    // Why the model can't be used; absent when it can.
    std::optional<ModelUnavailable> unavailable = ModelUnavailable::notAvailable;
    // Why the model can't be used, in the service's own words where it gave any: one line,
    // capped, without the key. Empty when it can.
    std::string detail;
    std::string url;   // the address that answered: as given, or with "/v1"
    std::string model; // the model to ask: the one chosen, or the first chat model listed
    std::vector<std::string> models; // every model listed, the chat models first

    [[nodiscard]] bool available() const { return !unavailable; }

    bool operator==(const ModelCheck&) const = default;
};

// How long a scan waits to learn whether the model can be used.
inline constexpr std::chrono::milliseconds modelProbeLimit{1000};

// How thoroughly a check sorts the models it finds.
enum class ModelSorting {
    untilChosen, // only as far as choosing one, for a scan
    all,         // every model, for a list to choose from
};

// Asks the service at `endpoint` for its models, within `limit` and no longer than `stop`
// allows; an address without "/v1" is tried as given and then with it. Embedding models
// (named so, or so described by the service, or by Ollama's details of the model) are never
// chosen and come last in the list. Never throws.
[[nodiscard]] ModelCheck checkModelService(const ModelEndpoint& endpoint,
                                           std::chrono::milliseconds limit,
                                           const std::stop_token& stop = {},
                                           ModelSorting sorting = ModelSorting::untilChosen);

} // namespace vesk
