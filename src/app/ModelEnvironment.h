#pragma once

#include "core/model/ModelEndpoint.h"

#include <chrono>
#include <optional>
#include <string>

namespace vesk {

// What the environment says about the model service. Each variable that is set overrides the
// settings: VESK_MODEL_URL, VESK_MODEL, VESK_MODEL_KEY, VESK_MODEL_PARALLEL (requests at once)
// and VESK_MODEL_TIMEOUT (seconds one request may take, fractions allowed). Empty variables,
// and numbers out of range, count as unset. The application and vesk-cli read it the same way.
struct ModelEnvironment {
    std::optional<std::string> url{};
    std::optional<std::string> model{};
    std::optional<std::string> key{};
    std::optional<int> parallel{};
    std::optional<std::chrono::milliseconds> timeout{};

    [[nodiscard]] static ModelEnvironment read();
    // The endpoint with what is set here laid over it.
    [[nodiscard]] ModelEndpoint over(ModelEndpoint endpoint) const;

    bool operator==(const ModelEnvironment&) const = default;
};

} // namespace vesk
