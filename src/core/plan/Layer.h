#pragma once

#include <string_view>

namespace vesk {

// Which stage of the pipeline decided a suggestion. The interface names each in the person's
// language; the key is the stable name that machine-readable output uses. `none` stays last.
enum class Layer { skip, userFolder, rule, match, names, typeDefault, llm, content, none };

[[nodiscard]] std::string_view layerKey(Layer layer);

} // namespace vesk
