#pragma once

// The working state of one organizer run, shared by the files that implement its stages.

#include "core/placement/NameIndex.h"
#include "core/placement/Organizer.h"

#include "core/model/ProfileCache.h"

#include <chrono>
#include <future>
#include <map>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace vesk {

struct Organizer::Run {
    Run(const ScanMemory::Destinations& destinations, ScanMemory::Reading reading)
        : targets(destinations.described.empty() ? destinations.targets.list()
                                                 : destinations.described),
          planTargets(destinations.targets), matcher(&*destinations.matcher),
          nameIndex(destinations.nameIndex ? &*destinations.nameIndex : nullptr),
          items(std::move(reading.toDecide)), waiting(std::move(reading)) {}

    std::stop_token stop;
    const std::vector<Target>& targets; // with the names inside when the model may need them
    PlanTargets planTargets;
    const Matcher* matcher;
    const NameIndex* nameIndex; // when the settings use one
    std::vector<FileItem> items;  // the files this run decides, in plan order
    ScanMemory::Reading waiting;  // every waiting file, with the decisions kept
    std::vector<std::vector<std::string>> tokens; // per item
    std::vector<std::optional<Suggestion>> results; // per item; empty while undecided
    std::vector<std::vector<Candidate>> ranked;     // per item: the name ranking's leaders
    Plan plan;                                      // statistics filled as the stages run
    // What the model stages work with, made once they start.
    std::vector<std::string> signatures;            // by target
    std::future<ProfileCache> readingProfiles;      // the profile cache, until it is needed
    ProfileCache cachedProfiles;                    // as read
    bool profilesAsked = false;                     // some profile came from the model
    Profiles profiles;                              // made by the model, when it is used
    std::optional<Matcher::Profiled> profiled;      // the targets as their profiles describe them
    std::optional<ModelAnswers::Folders> offered;   // the targets as questions offer them
    std::map<Kind, std::string> typeDefaults;       // resolved once; the fallback asks per item
    std::vector<ModelAnswers::Asked> asked;         // kept only once the run is complete
    // The model's requests, for progress: answered, and known to be needed so far.
    int modelDone = 0;
    int modelTotal = 0;
    const PartialHandler* partial = nullptr;
    std::chrono::steady_clock::time_point lastPartial;

    [[nodiscard]] bool stopped() const { return stop.stop_requested(); }
};

} // namespace vesk
