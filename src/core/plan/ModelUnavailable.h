#pragma once

namespace vesk {

// Why the local model can't be used; the interface words it.
enum class ModelUnavailable { turnedOff, notReady, notAvailable, needsKey, keyRefused };

} // namespace vesk
