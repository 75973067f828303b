#pragma once

#include "platform/EntryStatus.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::platform {

// One entry of a folder listing, the entry itself (symbolic links are not followed).
struct FolderEntry {
    enum class Type { folder, link, other };

    std::string name;
    Type type = Type::other; // `other` also when the type cannot be read

    bool operator==(const FolderEntry&) const = default;
};

// The entries of a folder in listing order, hidden ones included, "." and ".." not; nothing
// when the folder cannot be listed completely. Types come from the listing where the file
// system reports them, so most entries cost no call of their own.
[[nodiscard]] std::optional<std::vector<FolderEntry>>
folderEntries(const std::filesystem::path& folder);

// Calls `visit` with the name and the status of every entry of the folder but "." and "..", in
// listing order, each examined within the open folder: a whole folder's statuses cost the
// system no lookup of its path per entry. Stops at a failure to list.
void forEachEntryStatus(
    const std::filesystem::path& folder,
    const std::function<void(std::string_view name, std::optional<EntryStatus> status)>& visit);

} // namespace vesk::platform
