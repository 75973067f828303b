#include "app/ModelEnvironment.h"

#include "core/settings/SettingsTable.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vesk {

namespace {

// A model loading on a slow CPU may need minutes for its first answer, but not days.
constexpr double longestTimeout = 24 * 60 * 60;

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return value;
}

std::optional<double> number(const char* name) {
    const auto text = variable(name);
    if (!text) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = QByteArray::fromStdString(*text).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::chrono::milliseconds> timeoutFromEnvironment() {
    const auto seconds = number("VESK_MODEL_TIMEOUT");
    if (!seconds || *seconds <= 0) {
        return std::nullopt;
    }
    const double milliseconds = std::ceil(std::min(*seconds, longestTimeout) * 1000);
    return std::chrono::milliseconds(static_cast<std::int64_t>(milliseconds));
}

std::optional<int> parallelFromEnvironment() {
    const auto requests = number("VESK_MODEL_PARALLEL");
    if (!requests || !settings::modelParallel.accepts(*requests)) {
        return std::nullopt;
    }
    return static_cast<int>(*requests);
}

} // namespace

ModelEnvironment ModelEnvironment::read() {
    return {variable("VESK_MODEL_URL"), variable("VESK_MODEL"), variable("VESK_MODEL_KEY"),
            parallelFromEnvironment(), timeoutFromEnvironment()};
}

ModelEndpoint ModelEnvironment::over(ModelEndpoint endpoint) const {
    endpoint.url = url.value_or(endpoint.url);
    endpoint.model = model.value_or(endpoint.model);
    endpoint.key = key.value_or(endpoint.key);
    endpoint.parallel = parallel.value_or(endpoint.parallel);
    endpoint.timeout = timeout.value_or(endpoint.timeout);
    return endpoint;
}

} // namespace vesk
