#pragma once

#include "core/items/EntryStamp.h"
#include "core/targets/Targets.h"
#include "core/util/Dates.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace vesk {

// The folders a walk for targets listed, each with its stamp and the digest of what the walk
// took from it, so that a later scan can tell whether walking again would find anything
// different, and never wrongly: a folder's stamp changes whenever an entry is added to it,
// removed or renamed, or its permissions change; a folder whose stamp changed, or was too recent
// to trust, is listed again and compared by its digest.
class FolderStamps {
public:
    // `margin`: see EntryStamp::settledBefore.
    explicit FolderStamps(Clock::duration margin) : margin_(margin) {}

    // Forgets every folder: the walk about to begin records its own.
    void walkStarting();
    // One folder as the walk listed it; its stamp is taken now.
    void record(const TargetFinder::FolderListed& listed);

    // Whether every recorded folder still gives the walk what it gave. Costs a stamp per folder
    // and a listing per folder whose stamp changed; the new stamps of folders whose digest stayed
    // are kept, so the next look costs a stamp each again.
    [[nodiscard]] bool unchanged();

private:
    struct Folder {
        std::filesystem::path path;
        bool asRoot = false;
        std::optional<EntryStamp> stamp;
        std::optional<std::uint64_t> digest;
        bool settled = false; // an equal stamp proves the folder unchanged
    };

    Clock::duration margin_;
    std::vector<Folder> folders_;
    Date walkStart_;
};

} // namespace vesk
