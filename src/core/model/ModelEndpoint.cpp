#include "core/model/ModelEndpoint.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace vesk {

namespace {

[[nodiscard]] std::optional<int> parsePort(std::string_view text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc{} || end != text.data() + text.size() || port < 1 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

} // namespace

bool isLoopbackHost(std::string_view host) {
    std::string text(host);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (text == "localhost") {
        return true;
    }
    in_addr v4{};
    if (inet_pton(AF_INET, text.c_str(), &v4) == 1) {
        return (ntohl(v4.s_addr) >> 24) == 127;
    }
    in6_addr v6{};
    return inet_pton(AF_INET6, text.c_str(), &v6) == 1 &&
           std::memcmp(&v6, &in6addr_loopback, sizeof v6) == 0;
}

std::optional<ServiceAddress> loopbackService(std::string_view url) {
    constexpr std::string_view scheme = "http://";
    if (!url.starts_with(scheme)) {
        return std::nullopt;
    }
    url.remove_prefix(scheme.size());
    const auto slash = url.find('/');
    std::string_view authority = url.substr(0, slash);
    ServiceAddress address;
    if (slash != std::string_view::npos) {
        address.path = std::string(url.substr(slash));
    }
    while (address.path.ends_with('/')) {
        address.path.pop_back();
    }
    if (authority.find_first_of("@?#") != std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view host = authority;
    std::string_view port;
    if (authority.starts_with('[')) {
        const auto close = authority.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        host = authority.substr(1, close - 1);
        const auto rest = authority.substr(close + 1);
        if (!rest.empty() && !rest.starts_with(':')) {
            return std::nullopt;
        }
        port = rest.empty() ? rest : rest.substr(1);
    } else if (const auto colon = authority.rfind(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
    }
    if (!isLoopbackHost(host)) {
        return std::nullopt;
    }
    if (!port.empty()) {
        const auto number = parsePort(port);
        if (!number) {
            return std::nullopt;
        }
        address.port = *number;
    }
    address.host = std::string(host);
    return address;
}

} // namespace vesk
