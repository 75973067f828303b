#include "core/targets/DiscoveryRoots.h"

#include "core/targets/ProjectMarkers.h"
#include "core/util/NormalFolder.h"
#include "platform/FolderEntry.h"
#include "platform/WellKnownFolders.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <system_error>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using platform::WellKnownFolder;

// Documents and sync folders hold whole filing systems; the rest are walked less deep.
constexpr int deepRootDepth = 3;
constexpr int rootDepth = 2;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// What may follow a client's own folder name: a number for a second account, or " (Team)",
// " - Company" for a business account.
bool isAccountSuffix(std::string_view rest) {
    if (rest.empty()) {
        return true;
    }
    if (std::all_of(rest.begin(), rest.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
        return true;
    }
    return rest.starts_with(" (") || rest.starts_with(" - ");
}

// Home folders that are not for filing: where things arrive or are shared, and what tools
// make. The configured names of the first three are passed over too.
bool isPassedOverName(std::string_view name) {
    static constexpr std::array<std::string_view, 7> names{
        "Downloads", "Public", "Templates", "Applications", "snap", "go", "node_modules"};
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool isProjectOrEnvironment(const fs::path& folder) {
    const auto entries = platform::folderEntries(folder);
    return !entries ||
           std::any_of(entries->begin(), entries->end(), [](const platform::FolderEntry& entry) {
               return isProjectMarker(entry.name) || isEnvironmentMarker(entry.name);
           });
}

Root rootAt(const fs::path& folder, const fs::path& documents) {
    const fs::path normal = normalFolder(folder);
    const bool deep = normal == documents || isSyncFolderName(normal.filename().string());
    return {normal, deep ? deepRootDepth : rootDepth};
}

} // namespace

bool isSyncFolderName(std::string_view name) {
    static constexpr std::array<std::string_view, 17> clients{
        "Nextcloud",    "ownCloud", "Dropbox",      "OneDrive",    "Sync",     "pCloudDrive",
        "pCloud Drive", "Seafile",  "SeaDrive",     "MEGA",        "MEGAsync", "Google Drive",
        "GoogleDrive",  "Insync",   "Proton Drive", "Yandex.Disk", "Tresorit"};
    return std::any_of(clients.begin(), clients.end(), [name](std::string_view client) {
        return name.size() >= client.size() &&
               equalsIgnoringCase(name.substr(0, client.size()), client) &&
               isAccountSuffix(name.substr(client.size()));
    });
}

std::vector<Root> chosenRoots(const std::vector<fs::path>& folders, const fs::path& home) {
    const fs::path documents =
        normalFolder(home / platform::wellKnownFolder(home, WellKnownFolder::documents));
    std::vector<Root> roots;
    for (const fs::path& folder : folders) {
        Root root = rootAt(folder, documents);
        if (std::find(roots.begin(), roots.end(), root) == roots.end()) {
            roots.push_back(std::move(root));
        }
    }
    return roots;
}

std::vector<Root> discoveryRoots(const fs::path& home, const std::vector<fs::path>& sources) {
    std::vector<fs::path> folders;
    std::set<fs::path> passedOver;
    for (const WellKnownFolder which :
         {WellKnownFolder::documents, WellKnownFolder::desktop, WellKnownFolder::pictures,
          WellKnownFolder::movies, WellKnownFolder::music}) {
        const fs::path folder = normalFolder(home / platform::wellKnownFolder(home, which));
        passedOver.insert(folder);
        std::error_code ec;
        if (fs::is_directory(folder, ec)) {
            folders.push_back(folder);
        }
    }
    for (const WellKnownFolder which :
         {WellKnownFolder::downloads, WellKnownFolder::publicShare, WellKnownFolder::templates}) {
        passedOver.insert(normalFolder(home / platform::wellKnownFolder(home, which)));
    }
    for (const fs::path& source : sources) {
        passedOver.insert(normalFolder(source));
    }
    if (const auto entries = platform::folderEntries(home)) {
        for (const platform::FolderEntry& entry : *entries) {
            const fs::path folder = normalFolder(home / entry.name);
            if (entry.type == platform::FolderEntry::Type::folder && !entry.name.starts_with('.') &&
                !isPassedOverName(entry.name) && !passedOver.contains(folder) &&
                !isProjectOrEnvironment(folder)) {
                folders.push_back(folder);
            }
        }
    }
    return chosenRoots(folders, home);
}

} // namespace vesk
