#include "core/moves/FileMover.h"

#include "core/moves/MoveHistory.h"
#include "core/util/Uuid.h"
#include "platform/EntryStatus.h"
#include "platform/FileOps.h"
#include "platform/Trash.h"

#include <algorithm>
#include <ranges>
#include <system_error>

namespace vesk {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view sourceMissing = "文件已不在原处";
constexpr std::string_view movedMissing = "找不到已移动的文件";
// Stops a retry loop on a file system that keeps refusing names that look free.
constexpr int clashRetries = 100;

// Any entry counts, a dangling symbolic link too: it occupies the name.
bool isTaken(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

// Missing folders from `dir` up to the first one that exists, shallowest first.
std::vector<fs::path> missingFolders(const fs::path& dir) {
    std::vector<fs::path> missing;
    for (fs::path current = dir; !isTaken(current) && current.has_relative_path();
         current = current.parent_path()) {
        missing.push_back(current);
    }
    std::reverse(missing.begin(), missing.end());
    return missing;
}

// Creates `dir` with its parents and appends the folders that did not exist before.
std::error_code createFolder(const fs::path& dir, std::vector<fs::path>& created) {
    std::vector<fs::path> missing = missingFolders(dir);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        return ec;
    }
    created.insert(created.end(), missing.begin(), missing.end());
    return {};
}

// Removes a folder the batch created once nothing but ".DS_Store" is left in it.
void removeIfEmpty(const fs::path& dir) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) {
        return;
    }
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (it->path().filename() != ".DS_Store") {
            return;
        }
    }
    if (ec) {
        return;
    }
    fs::remove(dir / ".DS_Store", ec);
    // Fails, harmlessly, when something arrived in the meantime.
    fs::remove(dir, ec);
}

MoveFailure failure(const fs::path& file, std::string_view message) {
    return {file, std::string(message)};
}

} // namespace

fs::path freePath(const fs::path& wanted) {
    if (!isTaken(wanted)) {
        return wanted;
    }
    // The same extension rule as the file model's, so "Tool.app" becomes "Tool 2.app".
    const std::string name = wanted.filename().string();
    const std::string_view base = platform::deletingPathExtension(name);
    const std::string_view extension = platform::pathExtension(name);
    for (long n = 2;; ++n) {
        std::string candidate = std::string(base) + " " + std::to_string(n);
        if (!extension.empty()) {
            candidate.append(".").append(extension);
        }
        if (!isTaken(wanted.parent_path() / candidate)) {
            return wanted.parent_path() / candidate;
        }
    }
}

FileMover::FileMover(std::optional<fs::path> historyFile) : historyFile_(std::move(historyFile)) {
    if (historyFile_) {
        history_ = loadHistory(*historyFile_);
    }
}

ApplyResult FileMover::apply(const std::vector<std::pair<fs::path, Destination>>& moves) {
    ApplyResult result{Batch{newUuid(), Clock::now(), {}, {}}, {}};
    for (const auto& [source, destination] : moves) {
        if (auto failed = moveInto(source, destination, result.batch)) {
            result.failures.push_back(std::move(*failed));
        }
    }
    if (!result.batch.records.empty()) {
        history_.push_back(result.batch);
        if (history_.size() > historyLimit) {
            history_.erase(history_.begin(),
                           history_.end() - static_cast<std::ptrdiff_t>(historyLimit));
        }
        save();
    }
    return result;
}

std::optional<MoveFailure> FileMover::moveInto(const fs::path& source,
                                               const Destination& destination, Batch& batch) {
    if (!isTaken(source)) {
        return failure(source, sourceMissing);
    }
    if (destination.type == Destination::Type::trash) {
        const platform::TrashResult trashed = platform::moveToTrash(source);
        if (!trashed.location) {
            return failure(source, trashed.error);
        }
        batch.records.push_back({source, *trashed.location});
        return std::nullopt;
    }
    if (const std::error_code ec = createFolder(destination.path, batch.createdFolders)) {
        return failure(source, ec.message());
    }
    fs::path landed;
    if (const std::error_code ec =
            moveToFreeName(source, destination.path / source.filename(), landed)) {
        return failure(source, ec.message());
    }
    batch.records.push_back({source, landed});
    return std::nullopt;
}

// The free name is chosen before the move; should something take it in between, the move
// refuses and the next free name is tried, so nothing is ever replaced.
std::error_code FileMover::moveToFreeName(const fs::path& from, const fs::path& wanted,
                                          fs::path& landed) {
    std::error_code ec;
    for (int attempt = 0; attempt < clashRetries; ++attempt) {
        landed = freePath(wanted);
        if (beforeMove_) {
            beforeMove_(landed);
        }
        ec = platform::moveEntry(from, landed);
        if (ec != std::errc::file_exists) {
            return ec;
        }
    }
    return ec;
}

UndoResult FileMover::undoLast() {
    UndoResult result;
    if (history_.empty()) {
        return result;
    }
    const Batch batch = std::move(history_.back());
    history_.pop_back();
    for (const MoveRecord& record : std::views::reverse(batch.records)) {
        if (auto failed = restore(record)) {
            result.failures.push_back(std::move(*failed));
        } else {
            ++result.restored;
        }
    }
    for (const fs::path& dir : std::views::reverse(batch.createdFolders)) {
        removeIfEmpty(dir);
    }
    save();
    return result;
}

std::optional<MoveFailure> FileMover::restore(const MoveRecord& record) {
    if (!isTaken(record.moved)) {
        return failure(record.moved, movedMissing);
    }
    std::error_code ec;
    fs::create_directories(record.original.parent_path(), ec);
    if (ec) {
        return failure(record.moved, ec.message());
    }
    fs::path landed;
    if (const std::error_code moveError = moveToFreeName(record.moved, record.original, landed)) {
        return failure(record.moved, moveError.message());
    }
    platform::forgetTrashInfo(record.moved);
    return std::nullopt;
}

void FileMover::save() const {
    if (historyFile_) {
        // A history that cannot be written only costs the undo of a later run.
        (void)saveHistory(*historyFile_, history_);
    }
}

} // namespace vesk
