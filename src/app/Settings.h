#pragma once

#include "app/AppLocation.h"
#include "core/model/ModelEndpoint.h"
#include "core/placement/OrganizerSettings.h"
#include "core/settings/SettingsTable.h"

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The person's settings as stored, shared by the application and vesk-cli. Only load() and
// save() touch the store; keys, defaults and limits come from the settings table. INI keeps no
// types, so a boolean counts only as "true"/"false" and a number only when it parses as one
// within its limits; anything else counts as missing.
struct Settings {
    std::vector<std::filesystem::path> sources; // absolute paths, in the person's order
    bool onboardingFinished = settings::onboarded.defaultValue;
    std::optional<bool> useLLM; // absent until chosen: the default follows the model's availability
    bool allowContent = settings::allowContent.defaultValue;
    double minAgeDays = settings::minAgeDays.defaultValue;
    bool useNameIndex = settings::useNameIndex.defaultValue; // stored only: no window shows it
    bool notifyWhenFilesWait = settings::notifyWhenFilesWait.defaultValue;
    // The folders to file into, absolute paths in the person's order; absent until edited.
    std::optional<std::vector<std::filesystem::path>> targetRoots;
    // The local model service; its key is kept by the desktop's secret service, never here.
    std::string modelUrl{settings::modelUrl.defaultValue};
    std::string model{settings::model.defaultValue}; // empty: the first chat model listed
    int modelParallel = static_cast<int>(settings::modelParallel.defaultValue);

    // Which entries a save writes; each change writes only its own.
    enum Part : unsigned {
        sourcesPart = 1U << 0U,
        onboardedPart = 1U << 1U,
        preferencesPart = 1U << 2U, // useLLM, allowContent, minAgeDays and useNameIndex together
        notificationsPart = 1U << 3U,
        targetRootsPart = 1U << 4U,
        modelPart = 1U << 5U, // modelUrl, model and modelParallel together
    };

    // Finished, and at least one source to tidy.
    [[nodiscard]] bool onboarded() const { return onboardingFinished && !sources.empty(); }

    // Absent when the file exists but cannot be read or parsed; a missing file gives defaults.
    [[nodiscard]] static std::optional<Settings> load(const QString& file);
    // False when the file could not be written.
    [[nodiscard]] bool save(const QString& file, unsigned parts) const;

    bool operator==(const Settings&) const = default;
};

// What starting up makes of the store: the stored settings, or the defaults when the store
// cannot be read, which is then first set aside as "<file>.corrupt-<date>" so that the next
// save loses nothing.
struct SettingsAtStart {
    std::optional<Settings> settings;              // absent: unreadable, and still in place
    std::optional<std::filesystem::path> setAside; // where an unreadable store was kept
    std::string error;                             // why it could not be set aside
};
[[nodiscard]] SettingsAtStart loadSettingsAtStart(const QString& file);

// A key of the settings table as the store names it.
[[nodiscard]] QString storeKey(std::string_view key);

// What a run of the organizer gets from these settings in this location: sources and folders to
// file into compared in normal form ("Downloads/" and "Downloads" are one folder) and, for a
// fixture home, only those inside it, since one fixture store serves every `--home`. No sources
// means the Downloads folder; chosen folders of which none is inside a fixture home count as
// not chosen.
// The system's data folders come from the environment (systemDataFolders()).
[[nodiscard]] OrganizerSettings organizerSettings(const Settings& settings,
                                                  const AppLocation& location, bool useLLM);

// The model service these settings choose, without a key.
[[nodiscard]] ModelEndpoint modelEndpoint(const Settings& settings);

} // namespace vesk
