#pragma once

#include "core/items/FileItem.h"
#include "core/plan/Suggestion.h"
#include "core/settings/SettingsTable.h"
#include "core/util/Dates.h"

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The first, cheapest placement layer: cases decided from a file's own metadata and its
// neighbours in the same listing. Built once per run.
struct Rules {
    std::vector<FileItem> items;     // every item of the run, from all source folders
    std::set<std::string> installed; // normalized names of installed applications
    double minAgeDays = settings::minAgeDays.defaultValue;
    // The home's Pictures and Videos folders that exist, relative to it, by kind: screenshots
    // and recordings go inside them, and nowhere when the home has none (no folder is invented).
    std::map<Kind, std::string> mediaFolders;
    Date now = Clock::now();

    // The first rule that applies, or nothing to hand the item to the next layer.
    [[nodiscard]] std::optional<Suggestion> apply(const FileItem& item) const;

    // Normalized names of the installed applications: bundles and AppImages in the
    // applications folders, and the desktop entries in <home>/.local/share/applications and in
    // applications/ under each system data folder (those of XDG_DATA_DIRS).
    [[nodiscard]] static std::set<std::string>
    installedApps(const std::filesystem::path& home,
                  const std::vector<std::filesystem::path>& systemDataFolders);
    // The names of the entries beside the item, in its folder, whose coming, going or change may
    // change what the rules decide for it.
    [[nodiscard]] static std::vector<std::string> neighbourNames(const FileItem& item);

    // Whether what the rules decide for the item may change with time alone, given what was
    // decided for it: a file too new to tidy, and an installer, which grows old and whose
    // application may be installed meanwhile.
    [[nodiscard]] static bool changesWithTime(const FileItem& item, const Suggestion& decided);

    // Lower case, letters only.
    [[nodiscard]] static std::string normalize(std::string_view text);

private:
    [[nodiscard]] const FileItem* duplicateOf(const FileItem& item) const;
};

} // namespace vesk
