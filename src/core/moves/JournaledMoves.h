#pragma once

#include "core/moves/Batch.h"
#include "core/moves/MoveFailure.h"
#include "core/moves/MoveJournal.h"
#include "platform/FileOps.h"
#include "platform/OpenFolder.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// Moves entries one at a time for a tidy or an undo, each written to the journal before it
// starts and marked there once done, never replacing anything. Copies across file systems are
// settled in groups: one sync for many files before their sources go.
class JournaledMoves {
public:
    // What became of move number `n`: where its file landed, or why it did not.
    struct Outcome {
        std::size_t n = 0;
        std::filesystem::path from;
        std::optional<std::filesystem::path> landed;
        std::optional<FileIdentity> identity; // of the landed entry
        MoveFailure::Code failure = MoveFailure::Code::system;
        std::string detail = {}; // the system's description of a `system` failure
    };
    using BeforeMove = std::function<void(const std::filesystem::path&)>;

    // Without a journal nothing is written down.
    JournaledMoves(MoveJournal* journal, BeforeMove beforeMove)
        : journal_(journal), beforeMove_(std::move(beforeMove)) {}

    // Into `into` under the name `name`, or the next free one like it. A rename is done at once;
    // a copy across file systems waits for settle() and gives nothing yet.
    [[nodiscard]] std::optional<Outcome> move(std::size_t n, const std::filesystem::path& from,
                                              const platform::OpenFolder& into,
                                              const std::string& name);
    [[nodiscard]] Outcome trash(std::size_t n, const std::filesystem::path& from);

    // Enough copies wait to be worth one sync.
    [[nodiscard]] bool groupFull() const;
    // Syncs the waiting copies and removes their sources, in the order they were made.
    [[nodiscard]] std::vector<Outcome> settle();

private:
    struct Waiting {
        std::size_t n;
        platform::PlacedCopy copy;
    };

    [[nodiscard]] static Outcome failed(std::size_t n, const std::filesystem::path& from,
                                        MoveFailure::Code code, std::string detail = {}) {
        return {n, from, std::nullopt, std::nullopt, code, std::move(detail)};
    }
    [[nodiscard]] Outcome landed(std::size_t n, const std::filesystem::path& from,
                                 const std::filesystem::path& at) const;
    [[nodiscard]] std::optional<Outcome>
    copyAcross(std::size_t n, const std::filesystem::path& from, const platform::OpenFolder& into,
               const std::string& name, std::filesystem::path to,
               const std::optional<FileIdentity>& source);

    MoveJournal* journal_;
    BeforeMove beforeMove_;
    std::vector<Waiting> waiting_;
    std::int64_t waitingBytes_ = 0;
};

} // namespace vesk
