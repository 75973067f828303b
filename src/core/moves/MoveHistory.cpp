#include "core/moves/MoveHistory.h"

#include "core/moves/RecordJson.h"
#include "core/util/AtomicFile.h"
#include "core/util/Dates.h"
#include "core/util/FileLock.h"
#include "core/util/FileUrl.h"
#include "core/util/SetAside.h"
#include "core/util/Uuid.h"
#include "core/util/WholeFile.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vesk {

namespace {

namespace fs = std::filesystem;

// Twenty batches of a few thousand moves each stay far below this.
constexpr std::size_t storedFileLimit = 64U << 20U;

Json urlList(const std::vector<fs::path>& paths) {
    Json list = Json::array();
    for (const fs::path& path : paths) {
        list.push_back(toFileUrl(path));
    }
    return list;
}

Json toJson(const MoveRecord& record) {
    Json json = {{"original", toFileUrl(record.original)}, {"moved", toFileUrl(record.moved)}};
    if (record.identity) {
        putIdentity(json, *record.identity);
    } else if (record.size) {
        json["size"] = *record.size;
    }
    return json;
}

Json toJson(const Batch& batch) {
    Json records = Json::array();
    for (const MoveRecord& record : batch.records) {
        records.push_back(toJson(record));
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
    const auto date = fromReferenceSeconds(seconds.get<double>());
    if (!date) {
        unreadable("not a date");
    }
    return *date;
}

Batch batchFrom(const Json& object) {
    Batch batch{uuidAt(object), dateAt(object), {}, {}};
    for (const Json& record : arrayAt(object, "records")) {
        MoveRecord read{pathFrom(record.at("original")), pathFrom(record.at("moved")),
                        identityAt(record), std::nullopt};
        if (const auto size = record.find("size");
            !read.identity && size != record.end() && size->is_number_integer()) {
            read.size = size->get<std::int64_t>();
        }
        batch.records.push_back(std::move(read));
    }
    for (const Json& folder : arrayAt(object, "createdFolders")) {
        batch.createdFolders.push_back(pathFrom(folder));
    }
    return batch;
}

fs::path lockFileOf(const fs::path& file) {
    return fs::path(file.native() + ".lock");
}

// Nothing when the file is there but is not a history that can be read.
std::optional<std::vector<Batch>> readStored(const fs::path& file) {
    const auto bytes = readWholeFile(file, storedFileLimit);
    if (!bytes) {
        return std::nullopt;
    }
    return decodeHistory(*bytes);
}

std::optional<std::vector<Batch>> readForUpdate(const fs::path& file, HistoryStatus& status) {
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(file, ec).type();
    if (type == fs::file_type::not_found) {
        return std::vector<Batch>{};
    }
    if (type == fs::file_type::directory) {
        status.writeError = std::make_error_code(std::errc::is_a_directory).message();
        return std::nullopt;
    }
    if (auto stored = readStored(file)) {
        return stored;
    }
    fs::path kept;
    if (const std::error_code moveError = setAside(file, kept)) {
        status.writeError = moveError.message();
        return std::nullopt;
    }
    status.setAside = kept;
    return std::vector<Batch>{};
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

void addBatch(std::vector<Batch>& history, const Batch& batch) {
    const auto entry = std::ranges::find(history, batch.id, &Batch::id);
    if (entry == history.end()) {
        history.push_back(batch);
    } else {
        for (const MoveRecord& record : batch.records) {
            if (std::ranges::find(entry->records, record.moved, &MoveRecord::moved) ==
                entry->records.end()) {
                entry->records.push_back(record);
            }
        }
    }
    if (history.size() > historyLimit) {
        history.erase(history.begin(), history.end() - static_cast<std::ptrdiff_t>(historyLimit));
    }
}

std::size_t forgetRecords(std::vector<Batch>& history, const std::string& id,
                          const std::set<fs::path>& settledMoved,
                          const std::set<fs::path>& removedFolders) {
    const auto entry = std::ranges::find(history, id, &Batch::id);
    if (entry == history.end()) {
        return 0;
    }
    std::erase_if(entry->records,
                  [&](const MoveRecord& record) { return settledMoved.contains(record.moved); });
    std::erase_if(entry->createdFolders,
                  [&](const fs::path& dir) { return removedFolders.contains(dir); });
    const std::size_t kept = entry->records.size();
    if (kept == 0) {
        history.erase(entry);
    }
    return kept;
}

std::vector<Batch> readHistory(const fs::path& file) {
    std::error_code ec;
    // Writes replace the file atomically, so reading on without the lock is safe, just not
    // necessarily the newest.
    const auto lock = FileLock::acquire(lockFileOf(file), FileLock::Mode::shared, ec);
    return readStored(file).value_or(std::vector<Batch>{});
}

std::optional<FileLock> lockHistory(const fs::path& file, std::error_code& ec) {
    fs::create_directories(file.parent_path(), ec);
    return FileLock::acquire(lockFileOf(file), FileLock::Mode::exclusive, ec);
}

HistoryStatus updateHistory(const fs::path& file,
                            const std::function<void(std::vector<Batch>&)>& change,
                            const std::function<void()>& afterWrite) {
    HistoryStatus status;
    std::error_code ec;
    const auto lock = lockHistory(file, ec);
    if (!lock) {
        status.writeError = ec.message();
        return status;
    }
    auto history = readForUpdate(file, status);
    if (!history) {
        return status;
    }
    change(*history);
    if (!writeFileAtomically(file, encodeHistory(*history), ec)) {
        status.writeError = ec.message();
    } else if (afterWrite) {
        afterWrite();
    }
    return status;
}

} // namespace vesk
