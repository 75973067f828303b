#include "cli/CliSession.h"

#include "app/ModelEnvironment.h"
#include "app/Settings.h"
#include "core/model/ModelService.h"
#include "core/util/NormalFolder.h"

#include <algorithm>
#include <iostream>
#include <system_error>
#include <vector>

namespace vesk {

namespace {

// Folders named on the command line, relative to the working folder, each once.
std::vector<std::filesystem::path>
absoluteFolders(const std::vector<std::filesystem::path>& given) {
    std::vector<std::filesystem::path> folders;
    for (const auto& each : given) {
        std::error_code ec;
        auto folder = normalFolder(std::filesystem::absolute(each, ec));
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(std::move(folder));
        }
    }
    return folders;
}

} // namespace

std::variant<AppLocation, SessionError> openLocation(const CliOptions& options) {
    if (!options.home) {
        return AppLocation::standard();
    }
    AppLocation location = AppLocation::fixture(*options.home);
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

    const SettingsAtStart stored = loadSettingsAtStart(session.location.settingsFile);
    if (!stored.settings) {
        return SessionError{"cannot read the settings in " +
                                session.location.settingsFile.toStdString() +
                                " or move them aside (" + stored.error + ")",
                            1};
    }
    if (stored.setAside) {
        std::cerr << "vesk-cli: the settings in " << session.location.settingsFile.toStdString()
                  << " could not be read; they were kept as " << stored.setAside->string()
                  << " and the defaults are used\n";
    }
    auto settings = stored.settings;
    // Without a desktop session there is no secret service to ask: the key comes from
    // VESK_MODEL_KEY alone.
    session.endpoint = ModelEnvironment::read().over(modelEndpoint(*settings));
    settings->minAgeDays = options.minAgeDays.value_or(settings->minAgeDays);
    settings->allowContent = options.allowContent.value_or(settings->allowContent);
    settings->useNameIndex = options.useNameIndex.value_or(settings->useNameIndex);
    // As in the application: without a stored choice the model is used when it is available.
    const auto chosen = options.useModel ? options.useModel : settings->useLLM;
    const bool useLLM =
        chosen ? *chosen : checkModelService(session.endpoint, modelProbeLimit).available();

    session.settings = organizerSettings(*settings, session.location, useLLM);
    if (!options.sources.empty()) {
        session.settings.sources = absoluteFolders(options.sources);
    }
    if (!options.targetRoots.empty()) {
        session.settings.targetRoots = absoluteFolders(options.targetRoots);
    }
    session.settings.verbose = options.verbose;
    return session;
}

} // namespace vesk
