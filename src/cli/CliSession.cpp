#include "cli/CliSession.h"

#include "app/SettingsStore.h"
#include "core/LocalLLM.h"
#include <vector>

#include <system_error>

namespace vesk {

namespace {

// One fixture store serves every `--home`, so it may name the folders of another home;
// those would plan somebody else's files, and are left out.
std::vector<std::filesystem::path> storedSources(const SettingsStore& store,
                                                 const AppLocation& location) {
    auto sources = store.sources();
    if (location.isFixture) {
        std::erase_if(sources, [&](const std::filesystem::path& source) {
            const auto relative = source.lexically_relative(location.home);
            return relative.empty() || *relative.begin() == "..";
        });
    }
    return sources;
}

} // namespace

std::variant<AppLocation, SessionError> openLocation(const CliOptions& options) {
    if (!options.home) {
        return AppLocation::standard();
    }
    AppLocation location = AppLocation::fixture(QString::fromStdString(*options.home));
    std::error_code ec;
    if (!std::filesystem::is_directory(location.home, ec)) {
        return SessionError{"--home " + *options.home + " is not a folder", 2};
    }
    return location;
}

std::variant<CliSession, SessionError> openSession(const CliOptions& options) {
    auto location = openLocation(options);
    if (auto* error = std::get_if<SessionError>(&location)) {
        return std::move(*error);
    }
    CliSession session;
    session.location = std::move(std::get<AppLocation>(location));

    const SettingsStore store(session.location.settingsFile);
    if (!store.isUsable()) {
        return SessionError{
            "cannot read the settings in " + session.location.settingsFile.toStdString(), 1};
    }

    OrganizerSettings& settings = session.settings;
    settings = OrganizerSettings(session.location.home);
    if (!options.sources.empty()) {
        settings.sources.clear();
        for (const auto& source : options.sources) {
            std::error_code ec;
            settings.sources.push_back(std::filesystem::absolute(source, ec));
        }
    } else if (const auto stored = storedSources(store, session.location); !stored.empty()) {
        settings.sources = stored;
    }
    settings.minAgeDays = options.minAgeDays.value_or(store.minAgeDays());
    // As in the application: without a stored choice the model is used when it is available.
    if (const auto useModel = options.useModel ? options.useModel : store.useLLM()) {
        settings.useLLM = *useModel;
    } else {
        settings.useLLM = !LocalLLM::unavailableReason();
    }
    settings.allowContent = options.allowContent.value_or(store.allowContent());
    settings.profileCache = session.location.profileCacheFile();
    settings.verbose = options.verbose;
    return session;
}

} // namespace vesk
