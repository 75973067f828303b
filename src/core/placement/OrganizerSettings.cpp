#include "core/placement/OrganizerSettings.h"

#include "platform/WellKnownFolders.h"

namespace vesk {

OrganizerSettings::OrganizerSettings(std::filesystem::path homeFolder,
                                     std::optional<std::filesystem::path> source)
    : home(std::move(homeFolder)) {
    sources.push_back(
        source ? *source
               : home / platform::wellKnownFolder(home, platform::WellKnownFolder::downloads));
}

} // namespace vesk
