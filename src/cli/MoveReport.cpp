#include "cli/MoveReport.h"

#include "app/ReasonText.h"
#include "cli/JsonOutput.h"
#include "cli/PrintableText.h"

#include <ctime>
#include <sstream>

namespace vesk {

namespace {

Json recordJson(const MoveRecord& record) {
    Json json = Json::object();
    putPath(json, "original", record.original);
    putPath(json, "moved", record.moved);
    return json;
}

Json recordsJson(const std::vector<MoveRecord>& records) {
    Json list = Json::array();
    for (const auto& record : records) {
        list.push_back(recordJson(record));
    }
    return list;
}

Json failuresJson(const std::vector<MoveFailure>& failures) {
    Json list = Json::array();
    for (const auto& failure : failures) {
        Json json = Json::object();
        putPath(json, "file", failure.file);
        json["code"] = std::string(failureKey(failure.code));
        json["message"] = ReasonText::of(failure).toStdString();
        list.push_back(std::move(json));
    }
    return list;
}

Json optionalText(const std::optional<std::string>& text) {
    return text ? Json(*text) : Json(nullptr);
}

void putHistoryStatus(Json& json, const HistoryStatus& status) {
    json["historyError"] = optionalText(status.writeError);
    json["historySetAside"] = status.setAside ? Json(status.setAside->native()) : Json(nullptr);
}

std::string shown(const std::filesystem::path& path) {
    return printable(path.native());
}

void printFailures(std::ostringstream& out, const std::vector<MoveFailure>& failures) {
    for (const auto& failure : failures) {
        out << "failed  " << shown(failure.file) << ": "
            << printable(ReasonText::of(failure).toStdString()) << "\n";
    }
}

// Said once: the file is out of the way afterwards.
void printSetAside(std::ostringstream& out, const HistoryStatus& status) {
    if (status.setAside) {
        out << "The history of earlier tidies could not be read; it was kept as "
            << shown(*status.setAside) << ".\n";
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
        out << "moved   " << shown(record.original) << "\n     →  " << shown(record.moved) << "\n";
    }
    for (const auto& file : result.inPlace) {
        out << "kept    " << shown(file) << ": already in its destination folder\n";
    }
    printFailures(out, result.failures);
    printSetAside(out, result.historyStatus);
    out << "Moved " << filesCount(result.batch.records.size());
    if (!result.failures.empty()) {
        out << ", " << result.failures.size() << " failed";
    }
    if (result.batch.records.empty()) {
        out << ".\n";
    } else if (const auto& error = result.historyStatus.writeError) {
        out << ". The history could not be written (" << printable(*error)
            << "), so this tidy cannot be undone.\n";
    } else {
        out << ". Undo with: vesk-cli undo\n";
    }
    return out.str();
}

std::string applyJson(const ApplyResult& result) {
    Json json = {{"batch", result.batch.records.empty() ? Json(nullptr) : Json(result.batch.id)},
                 {"moved", recordsJson(result.batch.records)},
                 {"failures", failuresJson(result.failures)}};
    Json inPlace = Json::array();
    for (const auto& file : result.inPlace) {
        Json entry = Json::object();
        putPath(entry, "file", file);
        inPlace.push_back(std::move(entry));
    }
    json["inPlace"] = std::move(inPlace);
    putHistoryStatus(json, result.historyStatus);
    return jsonLine(json);
}

std::string undoText(const UndoResult& result) {
    std::ostringstream out;
    for (const auto& record : result.renamed) {
        out << "renamed " << shown(record.original) << " was taken; it came back as "
            << printable(record.moved.filename().native()) << "\n";
    }
    printFailures(out, result.failures);
    printSetAside(out, result.historyStatus);
    out << "Restored " << filesCount(static_cast<std::size_t>(result.restored));
    if (!result.failures.empty()) {
        out << ", " << result.failures.size() << " could not be restored";
    }
    out << ".\n";
    if (const auto& error = result.historyStatus.writeError) {
        out << "The history could not be written (" << printable(*error)
            << "), so it still lists the files restored now.\n";
    } else if (result.remaining > 0) {
        const bool one = result.remaining == 1;
        out << filesCount(result.remaining) << (one ? " stays" : " stay")
            << " in the history; vesk-cli undo tries " << (one ? "it" : "them") << " again.\n";
    }
    return out.str();
}

std::string undoJson(const UndoResult& result) {
    Json json = {{"restored", result.restored},
                 {"renamed", recordsJson(result.renamed)},
                 {"failures", failuresJson(result.failures)},
                 {"remaining", result.remaining}};
    putHistoryStatus(json, result.historyStatus);
    return jsonLine(json);
}

std::string historyText(const std::vector<Batch>& history) {
    if (history.empty()) {
        return "No tidy to undo.\n";
    }
    constexpr std::size_t shownNames = 3;
    std::ostringstream out;
    for (auto batch = history.rbegin(); batch != history.rend(); ++batch) {
        out << localTime(batch->date, "%Y-%m-%d %H:%M") << "  "
            << filesCount(batch->records.size());
        for (std::size_t i = 0; i < batch->records.size() && i < shownNames; ++i) {
            out << (i == 0 ? "  " : ", ")
                << printable(batch->records[i].original.filename().native());
        }
        out << (batch->records.size() > shownNames ? ", …\n" : "\n");
    }
    return out.str();
}

std::string historyJson(const std::vector<Batch>& history) {
    Json list = Json::array();
    for (auto batch = history.rbegin(); batch != history.rend(); ++batch) {
        list.push_back({{"id", batch->id},
                        {"date", localTime(batch->date, "%Y-%m-%dT%H:%M:%S%z")},
                        {"files", batch->records.size()},
                        {"records", recordsJson(batch->records)}});
    }
    return jsonLine(list);
}

std::string recoveryText(const std::vector<MoveFailure>& steps, bool verbose) {
    if (steps.empty()) {
        return {};
    }
    std::ostringstream out;
    if (!verbose) {
        out << "vesk-cli: settled what an earlier tidy or undo left unfinished (" << steps.size()
            << (steps.size() == 1 ? " step" : " steps") << "; --verbose lists them)\n";
        return out.str();
    }
    for (const auto& step : steps) {
        out << "recovered " << shown(step.file) << ": "
            << printable(ReasonText::of(step).toStdString()) << "\n";
    }
    return out.str();
}

} // namespace vesk
