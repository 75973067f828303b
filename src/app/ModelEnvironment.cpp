#include "app/ModelEnvironment.h"

#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace vesk {

namespace {

// A model loading on a slow CPU may need minutes for its first answer, but not days.
constexpr double longestTimeout = 24 * 60 * 60;

std::optional<std::chrono::milliseconds> timeoutFrom(const char* text) {
    bool ok = false;
    const double seconds = QByteArray(text).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds <= 0) {
        return std::nullopt;
    }
    const double milliseconds = std::ceil(std::min(seconds, longestTimeout) * 1000);
    return std::chrono::milliseconds(static_cast<std::int64_t>(milliseconds));
}

} // namespace

ModelEndpoint modelEndpointFromEnvironment() {
    ModelEndpoint endpoint;
    if (const char* url = std::getenv("VESK_MODEL_URL"); url != nullptr && *url != '\0') {
        endpoint.url = url;
    }
    if (const char* model = std::getenv("VESK_MODEL"); model != nullptr && *model != '\0') {
        endpoint.model = model;
    }
    if (const char* timeout = std::getenv("VESK_MODEL_TIMEOUT"); timeout != nullptr) {
        endpoint.timeout = timeoutFrom(timeout).value_or(endpoint.timeout);
    }
    return endpoint;
}

} // namespace vesk
