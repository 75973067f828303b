#pragma once

#include "core/moves/Batch.h"
#include "core/moves/Destination.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

struct MoveFailure {
    std::filesystem::path file;
    std::string message;

    bool operator==(const MoveFailure&) const = default;
};

struct ApplyResult {
    Batch batch;
    std::vector<MoveFailure> failures;
};

struct UndoResult {
    int restored = 0;
    std::vector<MoveFailure> failures;
};

// Carries out moves and takes back the newest batch of them. Never replaces an existing entry.
// Not thread-safe: one caller at a time.
class FileMover {
public:
    static constexpr std::size_t historyLimit = 20;

    // Without a history file nothing is remembered across runs.
    explicit FileMover(std::optional<std::filesystem::path> historyFile = std::nullopt);

    ApplyResult apply(const std::vector<std::pair<std::filesystem::path, Destination>>& moves);
    UndoResult undoLast();

    // Oldest first.
    [[nodiscard]] const std::vector<Batch>& history() const { return history_; }

    // Called with the chosen free name just before each move; tests use it to stage a clash.
    void setBeforeMove(std::function<void(const std::filesystem::path&)> hook) {
        beforeMove_ = std::move(hook);
    }

private:
    [[nodiscard]] std::optional<MoveFailure> moveInto(const std::filesystem::path& source,
                                                      const Destination& destination, Batch& batch);
    [[nodiscard]] std::error_code moveToFreeName(const std::filesystem::path& from,
                                                 const std::filesystem::path& wanted,
                                                 std::filesystem::path& landed);
    [[nodiscard]] std::optional<MoveFailure> restore(const MoveRecord& record);
    void save() const;

    std::optional<std::filesystem::path> historyFile_;
    std::vector<Batch> history_;
    std::function<void(const std::filesystem::path&)> beforeMove_;
};

// A name that is free in the path's folder: the path itself, else "name 2.ext", "name 3.ext", …
[[nodiscard]] std::filesystem::path freePath(const std::filesystem::path& wanted);

} // namespace vesk
