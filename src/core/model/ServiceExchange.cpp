#include "core/model/ServiceExchange.h"

#include <cstdint>
#include <cstdio>

namespace vesk {

namespace {

std::string seconds(std::chrono::milliseconds duration) {
    char text[32];
    std::snprintf(text, sizeof text, "%g s", std::chrono::duration<double>(duration).count());
    return text;
}

} // namespace

ServiceExchange::ServiceExchange(const ServiceAddress& address, std::chrono::milliseconds limit,
                                 std::stop_token stop)
    : client_(address.host, address.port), base_(address.path), limit_(limit),
      watchdog_(std::chrono::steady_clock::now() + limit, std::move(stop),
                [this] { client_.stop(); }) {
    // A redirect could point anywhere; only the loopback address checked above is contacted.
    client_.set_follow_location(false);
    client_.set_connection_timeout(limit);
    client_.set_read_timeout(limit);
    client_.set_write_timeout(limit);
}

std::optional<ServiceReply> ServiceExchange::get(const std::string& path) {
    httplib::Request request;
    request.method = "GET";
    request.path = base_ + path;
    return send(std::move(request));
}

std::optional<ServiceReply> ServiceExchange::post(const std::string& path, std::string body) {
    httplib::Request request;
    request.method = "POST";
    request.path = base_ + path;
    request.body = std::move(body);
    request.headers.emplace("Content-Type", "application/json");
    return send(std::move(request));
}

std::optional<ServiceReply> ServiceExchange::send(httplib::Request request) {
    ServiceReply reply;
    bool tooLarge = false;
    request.content_receiver = [&](const char* data, std::size_t length, std::uint64_t,
                                   std::uint64_t) {
        tooLarge = length > answerLimit - reply.body.size();
        if (!tooLarge) {
            reply.body.append(data, length);
        }
        return !tooLarge;
    };
    const auto result = client_.send(request);
    if (watchdog_.expired()) {
        error_ = "no complete answer from the model service within " + seconds(limit_);
    } else if (tooLarge) {
        error_ = "the model service's answer is larger than " + std::to_string(answerLimit >> 20U) +
                 " MiB";
    } else if (!result) {
        error_ = "no answer from the model service (" + httplib::to_string(result.error()) + ")";
    } else {
        reply.status = result->status;
        return reply;
    }
    return std::nullopt;
}

} // namespace vesk
