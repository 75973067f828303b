#include "core/model/ServiceText.h"

#include <nlohmann/json.hpp>

namespace vesk {

namespace {

// How much of the service's own words a reason or a diagnostic line quotes.
constexpr std::size_t quotedMessage = 200;

// OpenAI-style {"error":{"message":…}}, Ollama's {"error":…}, FastAPI's {"detail":…}; any
// other body as it is.
std::string serviceMessage(const std::string& body) {
    const auto json = nlohmann::json::parse(body, nullptr, false);
    if (json.is_object()) {
        for (const auto* pointer : {"/error/message", "/error", "/message", "/detail"}) {
            const nlohmann::json::json_pointer at(pointer);
            if (json.contains(at) && json[at].is_string()) {
                return json[at].get<std::string>();
            }
        }
    }
    return body;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

} // namespace

std::string oneLine(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string line;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if (c == '\t') {
            line += "\\t";
        } else if (c < 0x20 || c == 0x7f) {
            line += "\\x";
            line += hex[c >> 4U];
            line += hex[c & 0x0FU];
        } else {
            line += ch;
        }
    }
    return line;
}

std::string excerpt(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U) {
        --end;
    }
    return text.substr(0, end) + "…";
}

std::string withoutSecret(std::string text, const std::string& secret) {
    if (secret.empty()) {
        return text;
    }
    for (auto at = text.find(secret); at != std::string::npos; at = text.find(secret, at + 3)) {
        text.replace(at, secret.size(), "***");
    }
    return text;
}

std::string refusal(const ServiceReply& reply, const std::string& key) {
    std::string text = "the model service answered HTTP " + std::to_string(reply.status);
    if (wantsKey(reply.status)) {
        text += key.empty() ? " (it needs a key)" : " (it does not accept the key)";
    }
    const auto message = serviceMessage(reply.body);
    const auto firstLine = trimmed(std::string_view(message).substr(0, message.find('\n')));
    if (!firstLine.empty()) {
        text += ": " + excerpt(oneLine(withoutSecret(firstLine, key)), quotedMessage);
    }
    return text;
}

} // namespace vesk
