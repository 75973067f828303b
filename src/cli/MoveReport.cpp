#include "cli/MoveReport.h"

#include <nlohmann/json.hpp>

#include <ctime>
#include <sstream>

namespace vesk {

namespace {

using Json = nlohmann::ordered_json;

// File names need not be valid UTF-8; such bytes become U+FFFD in JSON rather than failing.
std::string dump(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

Json failuresJson(const std::vector<MoveFailure>& failures) {
    Json list = Json::array();
    for (const auto& failure : failures) {
        list.push_back({{"file", failure.file.native()}, {"message", failure.message}});
    }
    return list;
}

void printFailures(std::ostringstream& out, const std::vector<MoveFailure>& failures) {
    for (const auto& failure : failures) {
        out << "failed  " << failure.file.native() << ": " << failure.message << "\n";
    }
}

std::string localTime(Date date, const char* format) {
    const std::time_t seconds = Clock::to_time_t(date);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &parts));
}

std::string filesCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " file" : " files");
}

} // namespace

std::string applyText(const ApplyResult& result) {
    std::ostringstream out;
    for (const auto& record : result.batch.records) {
        out << "moved   " << record.original.native() << "\n     →  " << record.moved.native()
            << "\n";
    }
    printFailures(out, result.failures);
    out << "Moved " << filesCount(result.batch.records.size());
    if (!result.failures.empty()) {
        out << ", " << result.failures.size() << " failed";
    }
    out << (result.batch.records.empty() ? ".\n" : ". Undo with: vesk-cli undo\n");
    return out.str();
}

std::string applyJson(const ApplyResult& result) {
    Json moved = Json::array();
    for (const auto& record : result.batch.records) {
        moved.push_back({{"original", record.original.native()}, {"moved", record.moved.native()}});
    }
    return dump({{"batch", result.batch.records.empty() ? Json(nullptr) : Json(result.batch.id)},
                 {"moved", moved},
                 {"failures", failuresJson(result.failures)}});
}

std::string undoText(const UndoResult& result) {
    std::ostringstream out;
    printFailures(out, result.failures);
    out << "Restored " << filesCount(static_cast<std::size_t>(result.restored));
    if (!result.failures.empty()) {
        out << ", " << result.failures.size() << " could not be restored";
    }
    out << ".\n";
    return out.str();
}

std::string undoJson(const UndoResult& result) {
    return dump({{"restored", result.restored}, {"failures", failuresJson(result.failures)}});
}

std::string historyText(const std::vector<Batch>& history) {
    if (history.empty()) {
        return "No tidy to undo.\n";
    }
    constexpr std::size_t shown = 3;
    std::ostringstream out;
    for (auto batch = history.rbegin(); batch != history.rend(); ++batch) {
        out << localTime(batch->date, "%Y-%m-%d %H:%M") << "  "
            << filesCount(batch->records.size());
        for (std::size_t i = 0; i < batch->records.size() && i < shown; ++i) {
            out << (i == 0 ? "  " : ", ") << batch->records[i].original.filename().native();
        }
        out << (batch->records.size() > shown ? ", …\n" : "\n");
    }
    return out.str();
}

std::string historyJson(const std::vector<Batch>& history) {
    Json list = Json::array();
    for (auto batch = history.rbegin(); batch != history.rend(); ++batch) {
        Json records = Json::array();
        for (const auto& record : batch->records) {
            records.push_back(
                {{"original", record.original.native()}, {"moved", record.moved.native()}});
        }
        list.push_back({{"id", batch->id},
                        {"date", localTime(batch->date, "%Y-%m-%dT%H:%M:%S%z")},
                        {"files", batch->records.size()},
                        {"records", records}});
    }
    return dump(list);
}

} // namespace vesk
