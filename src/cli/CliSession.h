#pragma once

#include "app/AppLocation.h"
#include "cli/CliOptions.h"
#include "core/model/ModelEndpoint.h"
#include "core/placement/OrganizerSettings.h"

#include <string>
#include <variant>

namespace vesk {

// What one vesk-cli invocation works on: the application's home, support folder and
// settings, with the command-line options laid over the stored settings.
struct CliSession {
    AppLocation location;
    OrganizerSettings settings;
    ModelEndpoint endpoint;
};

struct SessionError {
    std::string message;
    int exitStatus;
};

// The home, support folder and settings store that `--home` (or its absence) chooses.
[[nodiscard]] std::variant<AppLocation, SessionError> openLocation(const CliOptions& options);
[[nodiscard]] std::variant<CliSession, SessionError> openSession(const CliOptions& options);

} // namespace vesk
