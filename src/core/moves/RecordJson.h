#pragma once

#include "core/moves/Batch.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>

namespace vesk {

// The pieces that the history file and the journals of moves in progress write alike.
using Json = nlohmann::ordered_json;

// The identity as the further keys "device", "inode", "size", "modified" and "born".
void putIdentity(Json& object, const FileIdentity& identity);
// Only a complete identity counts: nothing when a key is missing or of the wrong type.
[[nodiscard]] std::optional<FileIdentity> identityAt(const Json& object);

// The path of a file URL; throws, as nlohmann-json does for a wrong type, when it is not one.
[[nodiscard]] std::filesystem::path pathFrom(const Json& url);

} // namespace vesk
