#include "core/moves/MoveJournal.h"

#include "core/moves/MoveHistory.h"
#include "core/moves/RecordJson.h"
#include "core/util/FileUrl.h"
#include "core/util/Uuid.h"
#include "core/util/WholeFile.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace vesk {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view journalSuffix = ".journal";
// A line for every step of ten thousand moves stays far below this.
constexpr std::size_t journalLimit = 256U << 20U;
// How long written lines may wait to be synced: a kill loses none of them, only a power cut
// would, and the file system itself commits moves no more often than every few seconds.
constexpr auto syncEvery = std::chrono::seconds(1);

std::string journalPrefix(const fs::path& historyFile) {
    return historyFile.filename().native() + ".";
}

std::string kindName(JournalContents::Kind kind) {
    return kind == JournalContents::Kind::apply ? "apply" : "undo";
}

Json withIdentity(Json line, const std::optional<FileIdentity>& identity) {
    if (identity) {
        putIdentity(line, *identity);
    }
    return line;
}

// Applies one line to the contents; throws for a line that is not one of the journal's.
void readLine(const Json& line, JournalContents& contents) {
    if (const auto n = line.find("intend"); n != line.end()) {
        JournalEntry& entry = contents.entries[n->get<std::size_t>()];
        // A clash with a name taken meanwhile writes the move again, to the next free name.
        entry.from = pathFrom(line.at("from"));
        entry.to = pathFrom(line.at("to"));
        entry.source = identityAt(line);
    } else if (const auto partial = line.find("partial"); partial != line.end()) {
        contents.entries.at(partial->get<std::size_t>()).partial = pathFrom(line.at("path"));
    } else if (const auto copied = line.find("copied"); copied != line.end()) {
        contents.entries.at(copied->get<std::size_t>()).copy = identityAt(line);
    } else if (const auto done = line.find("done"); done != line.end()) {
        JournalEntry& entry = contents.entries.at(done->get<std::size_t>());
        entry.done = true;
        entry.landed = identityAt(line);
    } else {
        contents.createdFolders.push_back(pathFrom(line.at("folder")));
    }
}

} // namespace

std::optional<MoveJournal> MoveJournal::begin(const fs::path& historyFile,
                                              JournalContents::Kind kind,
                                              const std::string& batchId, Date date,
                                              std::error_code& ec) {
    const auto lock = lockHistory(historyFile, ec);
    if (!lock) {
        return std::nullopt;
    }
    const fs::path path = historyFile.parent_path() /
                          (journalPrefix(historyFile) + newUuid() + std::string(journalSuffix));
    platform::FileDescriptor fd(
        ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        ec = {errno, std::generic_category()};
        return std::nullopt;
    }
    MoveJournal journal(std::move(fd), path);
    journal.append(
        Json{{"kind", kindName(kind)}, {"batch", batchId}, {"date", toReferenceSeconds(date)}}
            .dump());
    if (journal.writeError_) {
        ec = std::make_error_code(std::errc::io_error);
        journal.remove();
        return std::nullopt;
    }
    return journal;
}

void MoveJournal::intend(std::size_t n, const fs::path& from, const fs::path& to,
                         const std::optional<FileIdentity>& source) {
    append(withIdentity({{"intend", n}, {"from", toFileUrl(from)}, {"to", toFileUrl(to)}}, source)
               .dump());
}

void MoveJournal::partial(std::size_t n, const fs::path& path) {
    append(Json{{"partial", n}, {"path", toFileUrl(path)}}.dump());
}

void MoveJournal::copied(std::size_t n, const std::optional<FileIdentity>& copy) {
    append(withIdentity({{"copied", n}}, copy).dump());
}

void MoveJournal::done(std::size_t n, const std::optional<FileIdentity>& landed) {
    append(withIdentity({{"done", n}}, landed).dump());
}

void MoveJournal::createdFolder(const fs::path& dir) {
    append(Json{{"folder", toFileUrl(dir)}}.dump());
}

// One write per line: a kill never leaves half of a line that was written whole.
void MoveJournal::append(std::string line) {
    line += '\n';
    std::string_view rest = line;
    while (!rest.empty()) {
        const ssize_t written = ::write(fd_.get(), rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (!writeError_) {
                writeError_ = std::error_code(errno, std::generic_category()).message();
            }
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    unsynced_ = true;
    if (std::chrono::steady_clock::now() - lastSync_ >= syncEvery) {
        sync();
    }
}

void MoveJournal::sync() {
    if (unsynced_ && ::fdatasync(fd_.get()) != 0 && !writeError_) {
        writeError_ = std::error_code(errno, std::generic_category()).message();
    }
    unsynced_ = false;
    lastSync_ = std::chrono::steady_clock::now();
}

void MoveJournal::remove() {
    (void)::unlink(path_.c_str());
}

std::vector<fs::path> journalsOf(const fs::path& historyFile) {
    std::vector<fs::path> journals;
    const std::string prefix = journalPrefix(historyFile);
    std::error_code ec;
    for (fs::directory_iterator it(historyFile.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().native();
        if (name.starts_with(prefix) && name.ends_with(journalSuffix)) {
            journals.push_back(it->path());
        }
    }
    return journals;
}

std::optional<JournalContents> readJournal(const fs::path& journal) {
    const auto bytes = readWholeFile(journal, journalLimit);
    if (!bytes) {
        return std::nullopt;
    }
    std::istringstream lines(*bytes);
    std::string line;
    JournalContents contents;
    try {
        std::getline(lines, line);
        const Json header = Json::parse(line);
        contents.kind = header.at("kind") == "undo" ? JournalContents::Kind::undo
                                                    : JournalContents::Kind::apply;
        contents.batchId = header.at("batch").get<std::string>();
        contents.date = fromReferenceSeconds(header.at("date").get<double>()).value_or(Date{});
    } catch (const std::exception&) {
        return std::nullopt;
    }
    while (std::getline(lines, line)) {
        try {
            readLine(Json::parse(line), contents);
        } catch (const std::exception&) {
            break; // cut short by the kill: nothing after it was written
        }
    }
    return contents;
}

} // namespace vesk
