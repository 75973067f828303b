#include "app/ModelEnvironment.h"

#include <cstdlib>

namespace vesk {

ModelEndpoint modelEndpointFromEnvironment() {
    ModelEndpoint endpoint;
    if (const char* url = std::getenv("VESK_MODEL_URL"); url != nullptr && *url != '\0') {
        endpoint.url = url;
    }
    if (const char* model = std::getenv("VESK_MODEL"); model != nullptr && *model != '\0') {
        endpoint.model = model;
    }
    return endpoint;
}

} // namespace vesk
