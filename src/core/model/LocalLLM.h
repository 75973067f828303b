#pragma once

#include "core/items/FileItem.h"
#include "core/model/GenerationSchema.h"
#include "core/model/ModelEndpoint.h"
#include "core/model/Placement.h"
#include "core/model/Profile.h"
#include "core/model/Verdict.h"
#include "core/targets/Targets.h"

#include <nlohmann/json_fwd.hpp>

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace vesk {

// Receives one line per failed model request; the engine itself never prints.
using Diagnostics = std::function<void(const std::string& line)>;

// The only client of the local language model. Every request is one stateless, greedy
// generation; failures are counted and never thrown. Create one per organizer run: after a few
// failures in a row it stops asking, and the rest of the run's requests fail at once.
class LocalLLM {
public:
    // Without diagnostics, failures are only counted. Once `stop` is requested, the request
    // under way is cut short and no further one is sent.
    explicit LocalLLM(ModelEndpoint endpoint, Diagnostics diagnostics = {},
                      std::stop_token stop = {});

    // Absent when the model can be used, otherwise the message to show. Takes at most a second,
    // and less when `stop` is requested.
    [[nodiscard]] static std::optional<std::string> unavailableReason(const ModelEndpoint& endpoint,
                                                                      std::stop_token stop = {});

    // Absent when there are no candidates, the request failed or the answer names no folder.
    [[nodiscard]] std::optional<Placement> place(const FileItem& item,
                                                 const std::vector<int>& candidates,
                                                 const std::vector<Target>& targets,
                                                 const Profiles& profiles);

    [[nodiscard]] Verdict review(const FileItem& item, int target,
                                 const std::vector<Target>& targets, const Profiles& profiles,
                                 const std::vector<int>& alternatives);

    // One counted, timed request whose answer must have the schema's shape; absent when it
    // failed, which is also reported to the diagnostics, or when the run was stopped.
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
    void failed(const std::string& why);
    void report(const std::string& text) const;

    [[nodiscard]] static std::string describe(const FileItem& item);

    ModelEndpoint endpoint_;
    Diagnostics diagnostics_;
    std::stop_token stop_;
    int calls_ = 0;
    int failures_ = 0;
    int failuresInARow_ = 0;
    double seconds_ = 0;
};

} // namespace vesk
