#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace vesk {

using Json = nlohmann::ordered_json;

// Puts a path under `key` as text, bytes that are not UTF-8 reading U+FFFD. For such a path the
// text alone could stand for several files, so "<key>Bytes" then holds its percent-encoded bytes.
void putPath(Json& object, const std::string& key, const std::filesystem::path& path);

// One line of compact JSON.
[[nodiscard]] std::string jsonLine(const Json& json);

} // namespace vesk
