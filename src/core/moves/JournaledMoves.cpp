#include "core/moves/JournaledMoves.h"

#include "core/moves/EntryIdentity.h"
#include "core/util/FreePath.h"
#include "platform/FaultPoint.h"
#include "platform/Trash.h"

namespace vesk {

namespace {

namespace fs = std::filesystem;

using Code = MoveFailure::Code;
// Stops a retry loop on a file system that keeps refusing names that look free.
constexpr int clashRetries = 100;
// One sync per group: a kill leaves at most this many files twice, which the next reader
// settles, and never a source removed before its copy is on disk.
constexpr std::size_t groupFiles = 1000;
constexpr std::int64_t groupBytes = std::int64_t{256} << 20U;

} // namespace

JournaledMoves::Outcome JournaledMoves::landed(std::size_t n, const fs::path& from,
                                               const fs::path& at) const {
    Outcome outcome{n, from, at, identityOf(at)};
    if (journal_) {
        journal_->done(n, outcome.identity);
    }
    return outcome;
}

// The free name is chosen before the move; should something take it in between, the move
// refuses and the next free name is tried, so nothing is ever replaced.
std::optional<JournaledMoves::Outcome> JournaledMoves::move(std::size_t n, const fs::path& from,
                                                            const platform::OpenFolder& into,
                                                            const std::string& name) {
    const auto source = identityOf(from);
    std::error_code ec;
    for (int attempt = 0; attempt < clashRetries; ++attempt) {
        const fs::path to = freePath(into.path() / name, ec);
        if (ec) {
            break;
        }
        if (beforeMove_) {
            beforeMove_(to);
        }
        if (journal_) {
            journal_->intend(n, from, to, source);
        }
        ec = platform::renameInto(from, into, to.filename().native());
        if (ec == std::errc::cross_device_link) {
            return copyAcross(n, from, into, name, to, source);
        }
        if (!ec) {
            Outcome outcome = landed(n, from, to);
            platform::faultPoint("moved");
            return outcome;
        }
        if (ec != std::errc::file_exists) {
            break;
        }
    }
    return failed(n, from, Code::system, ec.message());
}

std::optional<JournaledMoves::Outcome>
JournaledMoves::copyAcross(std::size_t n, const fs::path& from, const platform::OpenFolder& into,
                           const std::string& name, fs::path to,
                           const std::optional<FileIdentity>& source) {
    const std::string partial = platform::partialName();
    if (journal_) {
        journal_->partial(n, into.path() / partial);
    }
    platform::SourceState before;
    std::error_code ec = platform::copyInto(from, into, partial, before);
    if (!ec && journal_) {
        journal_->copied(n, identityOf(into.path() / partial));
    }
    for (int attempt = 0; !ec && attempt < clashRetries; ++attempt) {
        ec = platform::showCopy(into, partial, to.filename().native());
        if (ec != std::errc::file_exists) {
            break;
        }
        to = freePath(into.path() / name, ec);
        if (!ec && journal_) {
            journal_->intend(n, from, to, source);
        }
    }
    if (ec) {
        platform::removeCopy(into.path() / partial);
        return failed(n, from, Code::system, ec.message());
    }
    platform::faultPoint("copied");
    waiting_.push_back({n, {from, to, before}});
    waitingBytes_ += before.size;
    return std::nullopt;
}

JournaledMoves::Outcome JournaledMoves::trash(std::size_t n, const fs::path& from) {
    std::string error;
    const auto slot = platform::reserveTrashSlot(from, error);
    if (!slot) {
        return failed(n, from, Code::system, error);
    }
    if (journal_) {
        journal_->intend(n, from, slot->location, identityOf(from));
    }
    if (const std::error_code ec = platform::fillTrashSlot(from, *slot)) {
        return failed(n, from, Code::system, ec.message());
    }
    Outcome outcome = landed(n, from, slot->location);
    platform::faultPoint("moved");
    return outcome;
}

bool JournaledMoves::groupFull() const {
    return waiting_.size() >= groupFiles || waitingBytes_ >= groupBytes;
}

std::vector<JournaledMoves::Outcome> JournaledMoves::settle() {
    std::vector<Outcome> outcomes;
    if (waiting_.empty()) {
        return outcomes;
    }
    // The journal too must know of the copies before their sources go.
    if (journal_) {
        journal_->sync();
    }
    std::vector<platform::PlacedCopy> copies;
    for (const Waiting& waiting : waiting_) {
        copies.push_back(waiting.copy);
    }
    const std::vector<platform::SettledCopy> settled = platform::settleCopies(copies);
    for (std::size_t i = 0; i < waiting_.size(); ++i) {
        const auto& [n, copy] = waiting_[i];
        switch (settled[i].outcome) {
        case platform::SettledCopy::Outcome::moved:
            outcomes.push_back(landed(n, copy.source, copy.copy));
            break;
        case platform::SettledCopy::Outcome::sourceChanged:
            outcomes.push_back(failed(n, copy.source, Code::stillBeingWritten));
            break;
        case platform::SettledCopy::Outcome::failed:
            outcomes.push_back(failed(n, copy.source, Code::system, settled[i].error.message()));
            break;
        }
    }
    waiting_.clear();
    waitingBytes_ = 0;
    return outcomes;
}

} // namespace vesk
