#pragma once

#include "core/targets/Targets.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace vesk {

// Where discovery starts when the person has not chosen the folders to file into: Documents,
// Desktop, Pictures, Movies and Music under their configured names, those that exist; then, in
// listing order, every folder directly in the home that the person made. Left out are hidden
// folders, the sources, the other well-known folders (Downloads, Public, Templates), Applications,
// the folders tools make there (snap, go, node_modules), code projects and virtual environments.
// Documents and sync folders are walked 3 levels deep, the others 2.
[[nodiscard]] std::vector<Root> discoveryRoots(const std::filesystem::path& home,
                                               const std::vector<std::filesystem::path>& sources);

// The folders the person chose to file into, each at the depth discovery would give it; the
// same folder twice comes once.
[[nodiscard]] std::vector<Root> chosenRoots(const std::vector<std::filesystem::path>& folders,
                                            const std::filesystem::path& home);

// Whether a folder of this name is kept by a sync client (Nextcloud, Dropbox, OneDrive, ...),
// including the names a second account or a business account gets ("Nextcloud2",
// "Dropbox (Personal)", "OneDrive - Contoso"). Case is ignored.
[[nodiscard]] bool isSyncFolderName(std::string_view name);

} // namespace vesk
