#pragma once

#include <optional>
#include <string_view>

namespace vesk::platform {

// The broad families of the system's type database that file kinds fall back on.
enum class TypeClass { image, video, audio, sourceCode };

// The family of the MIME type that shared-mime-info gives a file extension (without the dot);
// nothing for unknown extensions and for types outside these families. Safe on any thread.
[[nodiscard]] std::optional<TypeClass> typeClassOfExtension(std::string_view ext);

} // namespace vesk::platform
