#pragma once

#include "core/model/ModelEndpoint.h"

namespace vesk {

// The model service chosen by VESK_MODEL_URL and VESK_MODEL; unset or empty variables keep
// the defaults. The application and vesk-cli read it the same way.
[[nodiscard]] ModelEndpoint modelEndpointFromEnvironment();

} // namespace vesk
