#pragma once

#include "core/plan/Destination.h"
#include "core/util/Dates.h"
#include "platform/OpenFolder.h"

#include <filesystem>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

namespace vesk {

// Opens the folder a destination names for a move, making what is missing (added to `made`,
// shallowest first). Along its trail when it has one: a folder replaced since the review, or a
// link put in the place of one, sets `changed` and opens nothing.
[[nodiscard]] std::optional<platform::OpenFolder>
openDestination(const Destination& destination, std::vector<std::filesystem::path>& made,
                bool& changed, std::error_code& ec);

// Opens a folder that a batch begun at `since` moved files into or out of, for undoing it,
// making what is missing when `made` is given. A link on the way that is newer than the batch
// was not there when it ran: `changed` is set and nothing is opened.
[[nodiscard]] std::optional<platform::OpenFolder>
openSince(const std::filesystem::path& folder, Date since, std::vector<std::filesystem::path>* made,
          bool& changed, std::error_code& ec);

// Removes, deepest first, the folders that are empty: whatever is left in one, a hidden file
// too, belongs to someone. Returns those removed.
[[nodiscard]] std::set<std::filesystem::path>
removeEmptyFolders(const std::vector<std::filesystem::path>& created);

} // namespace vesk
