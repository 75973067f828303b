#pragma once

// Reading the properties of a structured model answer, and of the files that keep answers.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The property's value when it is present and a string.
template <typename Json>
[[nodiscard]] std::optional<std::string> stringProperty(const Json& answer,
                                                        const std::string& property) {
    const auto it = answer.find(property);
    if (it == answer.end() || !it->is_string()) {
        return std::nullopt;
    }
    return it->template get<std::string>();
}

// The property's value when it is present and a list of strings only.
template <typename Json>
[[nodiscard]] std::optional<std::vector<std::string>> stringsProperty(const Json& answer,
                                                                      const std::string& property) {
    const auto it = answer.find(property);
    if (it == answer.end() || !it->is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> values;
    for (const auto& value : *it) {
        if (!value.is_string()) {
            return std::nullopt;
        }
        values.push_back(value.template get<std::string>());
    }
    return values;
}

// A choice as the model saw it, to compare its answer with: JSON carries no invalid UTF-8, so a
// name's stray bytes reached the model, and come back, as U+FFFD.
[[nodiscard]] inline std::string asSent(const std::string& choice) {
    const auto sent = nlohmann::ordered_json(choice).dump(
        -1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    const auto parsed = nlohmann::ordered_json::parse(sent, nullptr, false);
    return parsed.is_string() ? parsed.get<std::string>() : choice;
}

// The property's value when it is present and a list of objects only.
[[nodiscard]] inline std::optional<std::vector<nlohmann::ordered_json>>
objectsProperty(const nlohmann::ordered_json& answer, const std::string& property) {
    const auto it = answer.find(property);
    if (it == answer.end() || !it->is_array()) {
        return std::nullopt;
    }
    std::vector<nlohmann::ordered_json> values;
    for (const auto& value : *it) {
        if (!value.is_object()) {
            return std::nullopt;
        }
        values.push_back(value);
    }
    return values;
}

} // namespace vesk
