#pragma once

#include "core/moves/Batch.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// history.json: a compact JSON array of batches, oldest first, with file URLs, dates in seconds
// since 2001-01-01 UTC and upper-case UUIDs.
[[nodiscard]] std::string encodeHistory(const std::vector<Batch>& history);
// Nothing when the text is not a complete history: every key is required.
[[nodiscard]] std::optional<std::vector<Batch>> decodeHistory(std::string_view json);

// Empty when the file is missing, unreadable or not a history; the file is left as it is.
[[nodiscard]] std::vector<Batch> loadHistory(const std::filesystem::path& file);
// Replaces the file atomically. False when it could not be written.
[[nodiscard]] bool saveHistory(const std::filesystem::path& file,
                               const std::vector<Batch>& history);

} // namespace vesk
