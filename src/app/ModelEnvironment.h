#pragma once

#include "core/model/ModelEndpoint.h"

namespace vesk {

// The model service chosen by VESK_MODEL_URL and VESK_MODEL, and how long one request may take
// by VESK_MODEL_TIMEOUT (seconds, fractions allowed). Unset or empty variables, and a time-out
// that is not a positive number, keep the defaults. The application and vesk-cli read it the
// same way.
[[nodiscard]] ModelEndpoint modelEndpointFromEnvironment();

} // namespace vesk
