#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace vesk::platform {

// A name reserved in a freedesktop.org trash for one entry: its info file is written, the
// entry not yet moved.
struct TrashSlot {
    std::filesystem::path location;                 // <trash>/files/<name>: where the entry goes
    std::vector<std::filesystem::path> madeFolders; // trash folders made for it, outermost first
};

// Finds the entry's trash, the home trash when the entry lies on its file system, else the
// trash at the top of the entry's own, and reserves a free name there. The entry itself is
// looked at, never what a symbolic link points to.
[[nodiscard]] std::optional<TrashSlot> reserveTrashSlot(const std::filesystem::path& entry,
                                                        std::string& error);
// Renames the entry into its slot, never replacing; on failure the slot is given up again.
[[nodiscard]] std::error_code fillTrashSlot(const std::filesystem::path& entry,
                                            const TrashSlot& slot);
// Removes the slot's info file, and the trash folders made for it once they are empty.
void releaseTrashSlot(const TrashSlot& slot);

struct TrashResult {
    std::optional<std::filesystem::path> location; // where the entry now is, inside a trash
    std::string error;                             // why not, when there is no location
};

// Reserves a slot and fills it: either the entry is in a trash afterwards, or it is where it was.
[[nodiscard]] TrashResult moveToTrash(const std::filesystem::path& entry);

// True for an absolute path of an entry inside a trash's "files" folder.
[[nodiscard]] bool isInTrash(const std::filesystem::path& location);

// Called once an entry has left the Trash again, or never arrived in its slot: drops its
// ".trashinfo", so the Trash does not go on listing an item that is not there.
void forgetTrashInfo(const std::filesystem::path& location);

} // namespace vesk::platform
