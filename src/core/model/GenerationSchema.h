#pragma once

#include <nlohmann/json_fwd.hpp>

#include <optional>
#include <string>
#include <vector>

namespace vesk {

struct SchemaProperty;

// The shape an answer must have; sent to the service as JSON Schema.
struct GenerationSchema {
    enum class Type { string, choice, list, object };

    Type type = Type::string;
    std::string name;                       // choice and object
    std::vector<std::string> choices;       // choice
    std::vector<GenerationSchema> element;  // list: exactly one, the element's schema
    std::optional<int> minItems;            // list
    std::optional<int> maxItems;            // list
    std::vector<SchemaProperty> properties; // object, all required, in this order

    [[nodiscard]] static GenerationSchema string();
    [[nodiscard]] static GenerationSchema choice(std::string name,
                                                 std::vector<std::string> choices);
    [[nodiscard]] static GenerationSchema
    list(GenerationSchema element, std::optional<int> minItems, std::optional<int> maxItems);
    [[nodiscard]] static GenerationSchema object(std::string name,
                                                 std::vector<SchemaProperty> properties);

    [[nodiscard]] nlohmann::ordered_json toJson() const;
};

struct SchemaProperty {
    std::string name;
    std::optional<std::string> description; // guidance shown to the model
    GenerationSchema schema;
};

} // namespace vesk
