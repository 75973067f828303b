#include "core/model/ServiceConnection.h"

#include "core/model/RequestWatchdog.h"
#include "core/util/DecimalText.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace vesk {

namespace {

std::string seconds(std::chrono::milliseconds duration) {
    // To a tenth: a limit cut short by a few milliseconds still reads as the limit.
    const double tenths = std::round(std::chrono::duration<double>(duration).count() * 10);
    return decimalText(tenths / 10) + " s";
}

} // namespace

ServiceConnection::ServiceConnection(const ServiceAddress& address, const std::string& key)
    : client_(address.host, address.port) {
    // A redirect could point anywhere; only the loopback address checked before is contacted.
    client_.set_follow_location(false);
    client_.set_keep_alive(true);
    // Headers and body go out in separate writes; on a kept-alive connection Nagle's algorithm
    // would hold the body back until the service's delayed acknowledgement, 40 ms a request.
    client_.set_tcp_nodelay(true);
    if (!key.empty()) {
        client_.set_bearer_token_auth(key);
    }
}

std::optional<ServiceReply> ServiceConnection::get(const std::string& path,
                                                   std::chrono::milliseconds limit,
                                                   const std::stop_token& stop) {
    httplib::Request request;
    request.method = "GET";
    request.path = path;
    return send(std::move(request), limit, stop);
}

std::optional<ServiceReply> ServiceConnection::post(const std::string& path, std::string body,
                                                    std::chrono::milliseconds limit,
                                                    const std::stop_token& stop) {
    httplib::Request request;
    request.method = "POST";
    request.path = path;
    request.body = std::move(body);
    request.headers.emplace("Content-Type", "application/json");
    return send(std::move(request), limit, stop);
}

std::optional<ServiceReply> ServiceConnection::send(httplib::Request request,
                                                    std::chrono::milliseconds limit,
                                                    const std::stop_token& stop) {
    client_.set_connection_timeout(limit);
    client_.set_read_timeout(limit);
    client_.set_write_timeout(limit);
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
    // Shutting the connection down is all that ends a send at once; the next exchange opens a
    // new one.
    const auto exchange = [&] {
        const RequestWatchdog watchdog(std::chrono::steady_clock::now() + limit, stop,
                                       [this] { client_.stop(); });
        auto result = client_.send(request);
        return std::pair(std::move(result), watchdog.expired());
    };
    const auto [result, expired] = exchange();
    if (expired) {
        error_ = "no complete answer from the model service within " + seconds(limit);
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
