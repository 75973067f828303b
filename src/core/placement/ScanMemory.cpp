#include "core/placement/ScanMemory.h"

#include "core/placement/Rules.h"
#include "core/plan/PlanOrder.h"
#include "platform/FolderEntry.h"

#include <algorithm>
#include <string_view>
#include <system_error>
#include <unordered_map>

namespace vesk {

namespace {

// A source entry with its stamp, taken before anything else is read of it.
struct Entry {
    std::filesystem::path path;
    std::optional<EntryStamp> stamp;
};

// Calls `visit` with the path of every entry of the sources and its stamp. Nothing is kept of
// the entries here: most are as the memory has them, and a rescan should cost no copy of every
// name.
template <class Visit>
void forEachEntry(const std::set<std::filesystem::path>& sources, const Visit& visit) {
    std::string path;
    for (const auto& source : sources) {
        const std::string folder = (source / "").string(); // with its separator
        platform::forEachEntryStatus(
            source, [&](std::string_view name, std::optional<platform::EntryStatus> status) {
                if (name.starts_with('.')) {
                    return;
                }
                path.assign(folder).append(name);
                visit(path, status ? std::optional(EntryStamp::of(*status)) : std::nullopt);
            });
    }
}

} // namespace

void ScanMemory::forget() {
    *this = ScanMemory(margin_);
}

const ScanMemory::Destinations* ScanMemory::destinations(const std::vector<Root>& roots) {
    if (!destinations_ || roots != roots_ || !stamps_.unchanged()) {
        return nullptr;
    }
    return &*destinations_;
}

FolderStamps& ScanMemory::walkStarting(const std::vector<Root>& roots) {
    roots_ = roots;
    destinations_.reset();
    grounds_.reset();
    stamps_.walkStarting();
    return stamps_;
}

const ScanMemory::Destinations& ScanMemory::keepDestinations(Destinations destinations) {
    return destinations_.emplace(std::move(destinations));
}

void ScanMemory::settle(const Grounds& grounds, Reading& reading) {
    if (grounds_ == grounds) {
        return;
    }
    for (Waiting& waiting : reading.files) {
        if (waiting.kept) {
            const Kept& kept = files_[*waiting.kept];
            waiting = {std::nullopt, reading.toDecide.size()};
            reading.toDecide.push_back(kept.decision->item);
            reading.stamps.emplace_back(kept.stamp);
        }
    }
    reading = inPlanOrder(std::move(reading));
    reading.since.reset();
    reading.left.clear();
    files_.clear();
    serial_.reset();
    grounds_ = grounds;
}

bool ScanMemory::stands(const Kept& kept, const std::set<std::string>& changed) const {
    return !Rules::changesWithTime(kept.decision->item, *kept.decision) &&
           std::none_of(kept.neighbours.begin(), kept.neighbours.end(),
                        [&](const auto& neighbour) { return changed.contains(neighbour.native()); });
}

ScanMemory::Reading ScanMemory::read(const std::set<std::filesystem::path>& sources,
                                     const FileRead& fileRead) const {
    std::unordered_map<std::string_view, std::size_t> keptAt;
    keptAt.reserve(files_.size());
    for (std::size_t i = 0; i < files_.size(); ++i) {
        keptAt.emplace(files_[i].decision->item.path.native(), i);
    }
    // What came, went or changed: the rules of the files beside them look again.
    std::set<std::string> changed;
    std::vector<bool> found(files_.size(), false);
    std::vector<Entry> fresh;
    forEachEntry(sources, [&](const std::string& path, std::optional<EntryStamp> stamp) {
        const auto at = keptAt.find(path);
        // A stamp too recent to trust, and the file is read again.
        if (at != keptAt.end() && files_[at->second].settled &&
            stamp == files_[at->second].stamp) {
            found[at->second] = true;
            return;
        }
        changed.insert(path);
        fresh.push_back({path, std::move(stamp)});
    });
    Reading reading;
    reading.since = serial_;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (!found[i]) {
            changed.insert(files_[i].decision->item.path.native());
        }
    }

    reading.files.reserve(files_.size() + fresh.size());
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (!found[i]) {
            continue;
        }
        if (fileRead) {
            fileRead();
        }
        if (stands(files_[i], changed)) {
            reading.files.push_back({i, 0});
        } else {
            reading.files.push_back({std::nullopt, reading.toDecide.size()});
            reading.toDecide.push_back(files_[i].decision->item);
            reading.stamps.emplace_back(files_[i].stamp);
        }
    }

    // The files new to the memory, each put where a full sort would put it.
    std::vector<std::pair<FileItem, std::optional<EntryStamp>>> arrived;
    for (Entry& entry : fresh) {
        if (auto item = FileItem::load(entry.path)) {
            if (fileRead) {
                fileRead();
            }
            arrived.emplace_back(std::move(*item), std::move(entry.stamp));
        }
    }
    // Gone, unless read again as it is now.
    std::set<std::string_view> back;
    for (const auto& [item, stamp] : arrived) {
        back.insert(item.path.native());
    }
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (!found[i] && !back.contains(files_[i].decision->item.path.native())) {
            reading.left.push_back(files_[i].decision->item.path);
        }
    }
    const auto itemOf = [](const auto& pair) -> const FileItem& { return pair.first; };
    std::ranges::sort(arrived, planOrder, itemOf);
    const auto waitingItem = [&](const Waiting& waiting) -> const FileItem& {
        return waiting.kept ? files_[*waiting.kept].decision->item
                            : reading.toDecide[waiting.toDecide];
    };
    std::vector<Waiting> merged;
    merged.reserve(reading.files.size() + arrived.size());
    auto next = reading.files.begin();
    for (auto& [item, stamp] : arrived) {
        const auto place = std::upper_bound(
            next, reading.files.end(), item,
            [&](const FileItem& a, const Waiting& b) { return planOrder(a, waitingItem(b)); });
        merged.insert(merged.end(), next, place);
        next = place;
        merged.push_back({std::nullopt, reading.toDecide.size()});
        reading.toDecide.push_back(std::move(item));
        reading.stamps.push_back(std::move(stamp));
    }
    merged.insert(merged.end(), next, reading.files.end());
    reading.files = std::move(merged);
    return inPlanOrder(std::move(reading));
}

ScanMemory::Reading ScanMemory::inPlanOrder(Reading reading) {
    Reading ordered;
    ordered.files = std::move(reading.files);
    ordered.since = reading.since;
    ordered.left = std::move(reading.left);
    for (Waiting& waiting : ordered.files) {
        if (!waiting.kept) {
            const std::size_t from = waiting.toDecide;
            waiting.toDecide = ordered.toDecide.size();
            ordered.toDecide.push_back(std::move(reading.toDecide[from]));
            ordered.stamps.push_back(std::move(reading.stamps[from]));
        }
    }
    return ordered;
}

void ScanMemory::keep(const Reading& reading, const Plan& plan, Date readAt, bool keep) {
    std::vector<Kept> files;
    serial_.reset();
    if (keep) {
        serial_ = plan.lineage.serial;
        files.reserve(plan.suggestions.size());
        for (std::size_t i = 0; i < reading.files.size(); ++i) {
            const Waiting& waiting = reading.files[i];
            if (waiting.kept) {
                files.push_back(std::move(files_[*waiting.kept]));
                continue;
            }
            const auto& stamp = reading.stamps[waiting.toDecide];
            if (!stamp) {
                continue; // not stamped: never trusted
            }
            const std::shared_ptr<const Suggestion>& decision = plan.suggestions.shared(i);
            std::vector<std::filesystem::path> neighbours;
            for (const std::string& name : Rules::neighbourNames(decision->item)) {
                neighbours.push_back(decision->item.path.parent_path() / name);
            }
            files.push_back({decision, *stamp, stamp->settledBefore(readAt, margin_), std::move(neighbours)});
        }
    }
    files_ = std::move(files);
}

} // namespace vesk
