#include "AppHome.h"

namespace vesk::bench {

AppLocation appLocation(const std::filesystem::path& home, const std::filesystem::path& scratch) {
    return {home, scratch / "support", QString::fromStdString((scratch / "vesk.conf").string()),
            true};
}

Settings appSettings(const std::filesystem::path& home) {
    Settings settings;
    settings.sources = {home / "Downloads"};
    settings.onboardingFinished = true;
    settings.minAgeDays = 0;
    settings.useLLM = false;
    return settings;
}

} // namespace vesk::bench
