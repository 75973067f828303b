#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vesk::platform {

struct TrashResult {
    std::optional<std::filesystem::path> location; // where the entry now is, inside a trash
    std::string error;                             // why not, when there is no location
};

// Moves an entry to the freedesktop.org Trash (the home Trash, or the Trash of the entry's own
// volume). Either the entry is in a trash afterwards, or it is where it was.
[[nodiscard]] TrashResult moveToTrash(const std::filesystem::path& entry);

// True for an absolute path of an entry inside a trash's "files" folder.
[[nodiscard]] bool isInTrash(const std::filesystem::path& location);

// Called once an entry has been taken back out of the Trash: drops its ".trashinfo", so the
// Trash does not go on listing an item that is no longer there.
void forgetTrashInfo(const std::filesystem::path& formerLocation);

} // namespace vesk::platform
