#pragma once

#include "core/items/FileItem.h"
#include "core/model/GenerationSchema.h"
#include "core/model/ModelEndpoint.h"
#include "core/model/Placement.h"
#include "core/model/Profile.h"
#include "core/model/Verdict.h"
#include "core/placement/Targets.h"

#include <nlohmann/json_fwd.hpp>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// Receives one line per failed model request; the engine itself never prints.
using Diagnostics = std::function<void(const std::string& line)>;

// The only client of the local language model. Every request is one stateless, greedy
// generation; failures are counted and never thrown. Create one per organizer run.
class LocalLLM {
public:
    // Without diagnostics, failures are only counted.
    explicit LocalLLM(ModelEndpoint endpoint, Diagnostics diagnostics = {});

    // Absent when the model can be used, otherwise the message to show. Waits at most a second.
    [[nodiscard]] static std::optional<std::string>
    unavailableReason(const ModelEndpoint& endpoint);

    // Absent when there are no candidates, the request failed or the answer names no folder.
    [[nodiscard]] std::optional<Placement> place(const FileItem& item,
                                                 const std::vector<int>& candidates,
                                                 const std::vector<Target>& targets,
                                                 const Profiles& profiles);

    [[nodiscard]] Verdict review(const FileItem& item, int target,
                                 const std::vector<Target>& targets, const Profiles& profiles,
                                 const std::vector<int>& alternatives);

    // One counted, timed request whose answer must have the schema's shape; absent when it
    // failed, which is also reported to the diagnostics.
    [[nodiscard]] std::optional<nlohmann::ordered_json> respond(const std::string& instructions,
                                                                const std::string& prompt,
                                                                const GenerationSchema& root);

    [[nodiscard]] int calls() const { return calls_; }
    [[nodiscard]] int failures() const { return failures_; }
    [[nodiscard]] double seconds() const { return seconds_; }

private:
    [[nodiscard]] nlohmann::ordered_json generate(const std::string& instructions,
                                                  const std::string& prompt,
                                                  const GenerationSchema& root);

    [[nodiscard]] static std::string describe(const FileItem& item);

    ModelEndpoint endpoint_;
    Diagnostics diagnostics_;
    int calls_ = 0;
    int failures_ = 0;
    double seconds_ = 0;
};

} // namespace vesk
