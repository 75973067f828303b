#pragma once

// Reading the properties of a structured model answer; used only inside the model client.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The property's value when it is present and a string.
[[nodiscard]] inline std::optional<std::string> stringProperty(const nlohmann::ordered_json& answer,
                                                               const std::string& property) {
    const auto it = answer.find(property);
    if (it == answer.end() || !it->is_string()) {
        return std::nullopt;
    }
    return it->get<std::string>();
}

// The property's value when it is present and a list of strings only.
[[nodiscard]] inline std::optional<std::vector<std::string>>
stringsProperty(const nlohmann::ordered_json& answer, const std::string& property) {
    const auto it = answer.find(property);
    if (it == answer.end() || !it->is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> values;
    for (const auto& value : *it) {
        if (!value.is_string()) {
            return std::nullopt;
        }
        values.push_back(value.get<std::string>());
    }
    return values;
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
