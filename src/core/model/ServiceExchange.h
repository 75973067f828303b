#pragma once

#include "core/model/ModelEndpoint.h"
#include "core/model/RequestWatchdog.h"

#include <httplib.h>

#include <chrono>
#include <cstddef>
#include <optional>
#include <stop_token>
#include <string>

namespace vesk {

struct ServiceReply {
    int status = 0;
    std::string body;
};

// Exchanges with the local model service that all end within one time limit, however slowly
// the service answers, that end at once when `stop` is requested, and that read no more than
// answerLimit bytes of an answer. Used only by the model client.
class ServiceExchange {
public:
    // Answers are a few kilobytes; a rambling model stays far below this.
    static constexpr std::size_t answerLimit = 4U << 20U;

    ServiceExchange(const ServiceAddress& address, std::chrono::milliseconds limit,
                    std::stop_token stop);

    // The reply; absent when no complete one came, with the reason in error().
    [[nodiscard]] std::optional<ServiceReply> get(const std::string& path);
    [[nodiscard]] std::optional<ServiceReply> post(const std::string& path, std::string body);
    [[nodiscard]] const std::string& error() const { return error_; }

private:
    [[nodiscard]] std::optional<ServiceReply> send(httplib::Request request);

    httplib::Client client_;
    std::string base_;
    std::chrono::milliseconds limit_;
    std::string error_;
    RequestWatchdog watchdog_; // after the client: it stops watching before the client goes
};

} // namespace vesk
