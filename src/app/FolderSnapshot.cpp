#include "app/FolderSnapshot.h"

#include "core/util/NormalFolder.h"
#include "platform/FolderEntry.h"

namespace vesk {

FolderSnapshot FolderSnapshot::of(const std::vector<std::filesystem::path>& folders) {
    FolderSnapshot snapshot;
    for (const auto& folder : folders) {
        auto& names = snapshot.folders_[normalFolder(folder)];
        if (const auto entries = platform::folderEntries(folder)) {
            names.emplace();
            for (const auto& entry : *entries) {
                if (!entry.name.starts_with('.')) {
                    names->insert(entry.name);
                }
            }
        }
    }
    return snapshot;
}

void FolderSnapshot::remove(const std::vector<std::filesystem::path>& entries) {
    for (const auto& entry : entries) {
        const auto folder = folders_.find(normalFolder(entry.parent_path()));
        if (folder != folders_.end() && folder->second) {
            folder->second->erase(entry.filename().string());
        }
    }
}

} // namespace vesk
