#pragma once

#include "core/items/EntryStamp.h"
#include "core/items/FileItem.h"
#include "core/placement/Matcher.h"
#include "core/placement/NameIndex.h"
#include "core/plan/Plan.h"
#include "core/plan/Suggestion.h"
#include "core/targets/FolderStamps.h"
#include "core/targets/Targets.h"
#include "core/util/Dates.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vesk {

// What an organizer keeps from one run for the next, so that a rescan decides only what
// changed: the folders to file into with what was learnt of them, as long as no folder the walk
// listed changed, and the decision of every waiting file, as long as neither the file, nor an
// entry beside it that the rules look at, nor anything the decisions rest on changed.
class ScanMemory {
public:
    // What every decision rests on besides the file itself and the folders to file into.
    struct Grounds {
        std::vector<Root> roots;
        std::map<Kind, std::string> typeDefaults; // those the home has
        std::map<Kind, std::string> wellKnown;    // as configured, whether they exist or not
        std::optional<std::string> model; // the model asked, empty when none could be; absent: off

        bool operator==(const Grounds&) const = default;
    };

    // The folders to file into and what was learnt of them.
    struct Destinations {
        // As plans show them: the names inside are read only as the matcher and the name index
        // are made.
        PlanTargets targets;
        // With those names, while the model may need them to describe the folders.
        std::vector<Target> described;
        std::optional<Matcher> matcher;
        std::optional<NameIndex> nameIndex;
    };

    // A waiting file as a run finds it: with the decision kept for it, or to be decided.
    struct Waiting {
        std::optional<std::size_t> kept; // the memory's decision
        std::size_t toDecide = 0;        // else: into Reading::toDecide
    };
    // Every waiting file in plan order, and those to decide.
    struct Reading {
        std::vector<Waiting> files;
        std::vector<FileItem> toDecide;            // in plan order
        std::vector<std::optional<EntryStamp>> stamps; // per file to decide, taken before reading
        std::optional<std::uint64_t> since; // the kept plan, while the reading continues it
        std::vector<std::filesystem::path> left; // files of the kept plan gone since
    };
    using FileRead = std::function<void()>;

    // `margin`: see EntryStamp::settledBefore.
    explicit ScanMemory(Clock::duration margin) : margin_(margin), stamps_(margin) {}

    // Forgets everything: the next run decides every file afresh.
    void forget();

    // Reads the source folders. A file keeps its decision when its stamp is as kept and was
    // settled, no entry its rules look at changed, and its decision does not change with time
    // alone.
    [[nodiscard]] Reading read(const std::set<std::filesystem::path>& sources,
                               const FileRead& fileRead) const;
    [[nodiscard]] const std::shared_ptr<const Suggestion>& decision(std::size_t kept) const {
        return files_[kept].decision;
    }

    // The destinations kept, when the roots are the same and no folder the last walk listed
    // changed; nothing otherwise.
    [[nodiscard]] const Destinations* destinations(const std::vector<Root>& roots);
    // A new walk: its folders are recorded in the stamps given to it, and no decision made on
    // the old folders stands.
    [[nodiscard]] FolderStamps& walkStarting(const std::vector<Root>& roots);
    [[nodiscard]] const Destinations& keepDestinations(Destinations destinations);

    // Unless every kept decision rests on the same grounds, the reading decides every file and
    // the memory forgets its decisions.
    void settle(const Grounds& grounds, Reading& reading);
    // The run's final plan, in the order of the reading it was made from, which began at
    // `readAt`; `keep` false forgets every decision instead (the next run decides all afresh).
    void keep(const Reading& reading, const Plan& plan, Date readAt, bool keep);

private:
    struct Kept {
        std::shared_ptr<const Suggestion> decision; // shared with the plans that show it
        EntryStamp stamp;
        bool settled = false;
        std::vector<std::filesystem::path> neighbours; // entries whose change calls for a new look
    };

    [[nodiscard]] bool stands(const Kept& kept, const std::set<std::string>& changed) const;
    // The reading with the files to decide in plan order.
    [[nodiscard]] static Reading inPlanOrder(Reading reading);

    Clock::duration margin_;
    std::vector<Root> roots_;
    FolderStamps stamps_;
    std::optional<Destinations> destinations_;
    std::optional<Grounds> grounds_;
    std::vector<Kept> files_; // in plan order
    std::optional<std::uint64_t> serial_; // of the plan the decisions were kept from
};

} // namespace vesk
