#include "core/model/GenerationSchema.h"

#include <nlohmann/json.hpp>

namespace vesk {

using nlohmann::ordered_json;

GenerationSchema GenerationSchema::string() {
    return {};
}

GenerationSchema GenerationSchema::choice(std::string name, std::vector<std::string> choices) {
    GenerationSchema schema;
    schema.type = Type::choice;
    schema.name = std::move(name);
    schema.choices = std::move(choices);
    return schema;
}

GenerationSchema GenerationSchema::list(GenerationSchema element, std::optional<int> minItems,
                                        std::optional<int> maxItems) {
    GenerationSchema schema;
    schema.type = Type::list;
    schema.element.push_back(std::move(element));
    schema.minItems = minItems;
    schema.maxItems = maxItems;
    return schema;
}

GenerationSchema GenerationSchema::object(std::string name,
                                          std::vector<SchemaProperty> properties) {
    GenerationSchema schema;
    schema.type = Type::object;
    schema.name = std::move(name);
    schema.properties = std::move(properties);
    return schema;
}

ordered_json GenerationSchema::toJson() const {
    switch (type) {
    case Type::string:
        return {{"type", "string"}};
    case Type::choice:
        return {{"type", "string"}, {"enum", choices}};
    case Type::list: {
        ordered_json schema = {{"type", "array"}, {"items", element.front().toJson()}};
        if (minItems) {
            schema["minItems"] = *minItems;
        }
        if (maxItems) {
            schema["maxItems"] = *maxItems;
        }
        return schema;
    }
    case Type::object: {
        ordered_json props = ordered_json::object();
        ordered_json required = ordered_json::array();
        for (const auto& property : properties) {
            auto schema = property.schema.toJson();
            if (property.description) {
                schema["description"] = *property.description;
            }
            props[property.name] = std::move(schema);
            required.push_back(property.name);
        }
        return {{"type", "object"},
                {"properties", std::move(props)},
                {"required", std::move(required)},
                {"additionalProperties", false}};
    }
    }
    return {};
}

} // namespace vesk
