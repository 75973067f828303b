#pragma once

#include "core/model/ModelEndpoint.h"

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

// One connection to the local model service, kept alive from one exchange to the next and
// opened again when the service closed it or an exchange was cut short. Every exchange ends
// within its time limit, however slowly the service answers, ends at once when `stop` is
// requested, and reads no more than answerLimit bytes of an answer. For one thread at a time.
class ServiceConnection {
public:
    // Answers are a few kilobytes; a rambling model stays far below this.
    static constexpr std::size_t answerLimit = 4U << 20U;

    // A non-empty key goes with every exchange as a bearer token.
    ServiceConnection(const ServiceAddress& address, const std::string& key);

    // The reply to a request for `path` (from the server's root); absent when no complete one
    // came, with the reason in error().
    [[nodiscard]] std::optional<ServiceReply> get(const std::string& path,
                                                  std::chrono::milliseconds limit,
                                                  const std::stop_token& stop);
    [[nodiscard]] std::optional<ServiceReply> post(const std::string& path, std::string body,
                                                   std::chrono::milliseconds limit,
                                                   const std::stop_token& stop);
    [[nodiscard]] const std::string& error() const { return error_; }

private:
    [[nodiscard]] std::optional<ServiceReply> send(httplib::Request request,
                                                   std::chrono::milliseconds limit,
                                                   const std::stop_token& stop);

    httplib::Client client_;
    std::string error_;
};

} // namespace vesk
