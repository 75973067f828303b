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
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace vesk {

class ServiceConnection;

// Receives one line per failed model request; the engine itself never prints.
using Diagnostics = std::function<void(const std::string& line)>;

// The only client of the local language model. Every request is one stateless, greedy
// generation; failures are counted and never thrown. Up to `endpoint.parallel` requests may be
// under way at once, from as many threads, each on a kept-alive connection of its own. Create
// one per organizer run: after a few failures in a row it stops asking, and the rest of the
// run's requests fail at once.
class LocalLLM {
public:
    // Without diagnostics, failures are only counted. Once `stop` is requested, the requests
    // under way are cut short and no further one is sent; so they are when the client gives
    // up. An endpoint without a model asks the service for one before the first request.
    explicit LocalLLM(ModelEndpoint endpoint, Diagnostics diagnostics = {},
                      std::stop_token stop = {});
    ~LocalLLM();
    LocalLLM(const LocalLLM&) = delete;
    LocalLLM& operator=(const LocalLLM&) = delete;

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

    // How many requests to have under way at once.
    [[nodiscard]] int parallel() const { return parallel_; }
    [[nodiscard]] const std::stop_token& stop() const { return stop_; }

    [[nodiscard]] int calls() const;
    [[nodiscard]] int failures() const;
    // Summed over the requests, so with several under way at once it exceeds the time taken.
    [[nodiscard]] double seconds() const;
    // Why the client stopped asking after failures in a row: the last failure; absent while
    // it still asks.
    [[nodiscard]] std::optional<std::string> gaveUp() const;

private:
    [[nodiscard]] nlohmann::ordered_json generate(const std::string& instructions,
                                                  const std::string& prompt,
                                                  const GenerationSchema& root);
    void resolve();
    [[nodiscard]] std::unique_ptr<ServiceConnection> connection();
    void failed(const std::string& why);
    void report(const std::string& text) const;

    [[nodiscard]] static std::string describe(const FileItem& item);

    ModelEndpoint endpoint_; // settled by resolve() before the first request goes out
    Diagnostics diagnostics_;
    std::stop_token stop_;
    int parallel_;
    // Ends the requests under way when the run is stopped or the client gives up.
    std::stop_source halt_;
    std::stop_callback<std::function<void()>> relay_;

    std::mutex resolving_;
    std::optional<ServiceAddress> address_; // set once the endpoint is settled

    mutable std::mutex mutex_; // guards everything below, and the diagnostics
    std::vector<std::unique_ptr<ServiceConnection>> idle_;
    int calls_ = 0;
    int failures_ = 0;
    int failuresInARow_ = 0;
    double seconds_ = 0;
    std::optional<std::string> gaveUp_; // the failure that made it give up
};

} // namespace vesk
