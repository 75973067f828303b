#include "core/moves/MoveHistory.h"

#include "core/util/AtomicFile.h"
#include "core/util/Dates.h"
#include "core/util/FileUrl.h"
#include "core/util/Uuid.h"
#include "core/util/WholeFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vesk {

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// Twenty batches of a few thousand moves each stay far below this.
constexpr std::size_t storedFileLimit = 64U << 20U;

Json urlList(const std::vector<fs::path>& paths) {
    Json list = Json::array();
    for (const fs::path& path : paths) {
        list.push_back(toFileUrl(path));
    }
    return list;
}

Json toJson(const Batch& batch) {
    Json records = Json::array();
    for (const MoveRecord& record : batch.records) {
        records.push_back(
            {{"original", toFileUrl(record.original)}, {"moved", toFileUrl(record.moved)}});
    }
    return {{"id", batch.id},
            {"date", toReferenceSeconds(batch.date)},
            {"records", std::move(records)},
            {"createdFolders", urlList(batch.createdFolders)}};
}

// The readers below throw for a missing key or a wrong type; decodeHistory turns any of that
// into "not a history".
[[noreturn]] void unreadable(const char* what) {
    throw std::invalid_argument(what);
}

const Json& arrayAt(const Json& object, const char* key) {
    const Json& value = object.at(key);
    if (!value.is_array()) {
        unreadable("not a list");
    }
    return value;
}

fs::path pathFrom(const Json& url) {
    auto path = fromFileUrl(url.get<std::string>());
    if (!path) {
        unreadable("not a file URL");
    }
    return std::move(*path);
}

std::string uuidAt(const Json& object) {
    std::string id = object.at("id").get<std::string>();
    if (!isUuid(id)) {
        unreadable("not a UUID");
    }
    std::ranges::transform(id, id.begin(), [](unsigned char c) { return std::toupper(c); });
    return id;
}

Date dateAt(const Json& object) {
    const Json& seconds = object.at("date");
    if (!seconds.is_number()) {
        unreadable("not a number");
    }
    return fromReferenceSeconds(seconds.get<double>());
}

Batch batchFrom(const Json& object) {
    Batch batch{uuidAt(object), dateAt(object), {}, {}};
    for (const Json& record : arrayAt(object, "records")) {
        batch.records.push_back({pathFrom(record.at("original")), pathFrom(record.at("moved"))});
    }
    for (const Json& folder : arrayAt(object, "createdFolders")) {
        batch.createdFolders.push_back(pathFrom(folder));
    }
    return batch;
}

} // namespace

std::string encodeHistory(const std::vector<Batch>& history) {
    Json list = Json::array();
    for (const Batch& batch : history) {
        list.push_back(toJson(batch));
    }
    // Every string is ASCII (URLs are percent-encoded), so nothing needs replacing in practice.
    return list.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<std::vector<Batch>> decodeHistory(std::string_view json) {
    try {
        const Json list = Json::parse(json);
        if (!list.is_array()) {
            return std::nullopt;
        }
        std::vector<Batch> history;
        for (const Json& batch : list) {
            history.push_back(batchFrom(batch));
        }
        return history;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::vector<Batch> loadHistory(const fs::path& file) {
    const auto bytes = readWholeFile(file, storedFileLimit);
    if (!bytes) {
        return {};
    }
    return decodeHistory(*bytes).value_or(std::vector<Batch>{});
}

bool saveHistory(const fs::path& file, const std::vector<Batch>& history) {
    return writeFileAtomically(file, encodeHistory(history));
}

} // namespace vesk
