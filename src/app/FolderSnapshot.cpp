#include "app/FolderSnapshot.h"

#include "core/util/NormalFolder.h"
#include "platform/FolderEntry.h"

#include <algorithm>

namespace vesk {

FolderSnapshot FolderSnapshot::of(const std::vector<std::filesystem::path>& folders) {
    FolderSnapshot snapshot;
    for (const auto& folder : folders) {
        auto& names = snapshot.folders_[normalFolder(folder)];
        if (auto entries = platform::folderEntries(folder)) {
            names.emplace();
            names->reserve(entries->size());
            for (auto& entry : *entries) {
                if (!entry.name.starts_with('.')) {
                    names->push_back(std::move(entry.name));
                }
            }
            std::sort(names->begin(), names->end());
        }
    }
    return snapshot;
}

void FolderSnapshot::remove(const std::vector<std::filesystem::path>& entries) {
    // One pass over each folder's names, however many leave it.
    std::map<std::filesystem::path, std::vector<std::string>> gone;
    for (const auto& entry : entries) {
        gone[normalFolder(entry.parent_path())].push_back(entry.filename().string());
    }
    for (auto& [folder, names] : gone) {
        const auto listed = folders_.find(folder);
        if (listed == folders_.end() || !listed->second) {
            continue;
        }
        std::ranges::sort(names);
        std::erase_if(*listed->second, [&](const std::string& name) {
            return std::ranges::binary_search(names, name);
        });
    }
}

} // namespace vesk
