#pragma once

#include "core/settings/SettingsTable.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Where the local model service listens, which of its models to ask and how. The engine never
// reads the environment or the settings: the application and the command line fill this in.
struct ModelEndpoint {
    std::string url{settings::modelUrl.defaultValue}; // "off" turns the model off
    std::string model; // empty: the first chat model the service lists
    std::chrono::milliseconds timeout{60'000}; // a whole request, however slow the service
    // Sent as "Authorization: Bearer"; never written to a diagnostic, a reason or a file.
    std::string key{};
    // Requests in flight at once, each on a kept-alive connection of its own.
    int parallel = static_cast<int>(settings::modelParallel.defaultValue);

    bool operator==(const ModelEndpoint&) const = default;
};

// True only for hosts that can't leave the machine: 127.0.0.0/8, ::1 and "localhost".
[[nodiscard]] bool isLoopbackHost(std::string_view host);

// A model service address we are willing to contact.
struct ServiceAddress {
    std::string host;
    int port = 80;
    std::string path; // without a trailing "/"
};

// Plain "http://host[:port][/path]" URLs whose host is loopback; anything else, including
// user info that could disguise the real host, is refused before any connection is made.
[[nodiscard]] std::optional<ServiceAddress> loopbackService(std::string_view url);

} // namespace vesk
