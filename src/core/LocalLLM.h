#pragma once

#include "core/FileItem.h"
#include "core/Plan.h"
#include "core/Targets.h"

#include <nlohmann/json_fwd.hpp>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Where the local model service listens and which of its models to ask.
struct ModelEndpoint {
    std::string url = "http://127.0.0.1:11434/v1"; // "off" turns the model off
    std::string model;                             // empty: the first model the service lists
    std::chrono::milliseconds timeout{60'000};     // per request, so a stalled service never hangs

    // VESK_MODEL_URL and VESK_MODEL; unset or empty variables keep the defaults.
    [[nodiscard]] static ModelEndpoint fromEnvironment();

    bool operator==(const ModelEndpoint&) const = default;
};

// True only for hosts that can't leave the machine: 127.0.0.0/8, ::1 and "localhost".
[[nodiscard]] bool isLoopbackHost(std::string_view host);

struct SchemaProperty;

// The shape an answer must have; sent to the service as JSON Schema.
struct GenerationSchema {
    enum class Type { string, choice, list, object };

    Type type = Type::string;
    std::string name;                       // choice and object
    std::vector<std::string> choices;       // choice
    std::vector<GenerationSchema> element;  // list: exactly one, the element's schema
    std::optional<int> minItems;            // list
    std::optional<int> maxItems;            // list
    std::vector<SchemaProperty> properties; // object, all required, in this order

    [[nodiscard]] static GenerationSchema string();
    [[nodiscard]] static GenerationSchema choice(std::string name,
                                                 std::vector<std::string> choices);
    [[nodiscard]] static GenerationSchema
    list(GenerationSchema element, std::optional<int> minItems, std::optional<int> maxItems);
    [[nodiscard]] static GenerationSchema object(std::string name,
                                                 std::vector<SchemaProperty> properties);

    [[nodiscard]] nlohmann::ordered_json toJson() const;
};

struct SchemaProperty {
    std::string name;
    std::optional<std::string> description; // guidance shown to the model
    GenerationSchema schema;
};

// The model's choice of folder for a file.
struct Placement {
    std::optional<int> target; // absent for "NONE" or an answer that names no candidate
    std::string confidence;    // "high", "medium", "low" as answered; "low" when missing
    std::string what;          // what the file is, in the model's words

    bool operator==(const Placement&) const = default;
};

// The model's second opinion on a folder already chosen for a file.
struct Verdict {
    enum class Case { approved, rejected, failed };

    Case kind = Case::failed;
    std::string text; // approved: what the file is; rejected: category + "：" + what

    [[nodiscard]] static Verdict approved(std::string what) {
        return {Case::approved, std::move(what)};
    }
    [[nodiscard]] static Verdict rejected(std::string text) {
        return {Case::rejected, std::move(text)};
    }
    [[nodiscard]] static Verdict failed() { return {Case::failed, {}}; }

    bool operator==(const Verdict&) const = default;
};

// The only client of the local language model. Every request is one stateless, greedy
// generation; failures are counted and never thrown. Create one per organizer run.
class LocalLLM {
public:
    explicit LocalLLM(bool verbose, ModelEndpoint endpoint = ModelEndpoint::fromEnvironment());

    // Absent when the model can be used, otherwise the message to show. Waits at most a second.
    [[nodiscard]] static std::optional<std::string>
    unavailableReason(const ModelEndpoint& endpoint = ModelEndpoint::fromEnvironment());

    // Absent when there are no candidates, the request failed or the answer names no folder.
    [[nodiscard]] std::optional<Placement> place(const FileItem& item,
                                                 const std::vector<int>& candidates,
                                                 const std::vector<Target>& targets,
                                                 const Profiles& profiles);

    [[nodiscard]] Verdict review(const FileItem& item, int target,
                                 const std::vector<Target>& targets, const Profiles& profiles,
                                 const std::vector<int>& alternatives);

    // Purpose and keywords for every non-project target, from the cache file where the folder's
    // file names are unchanged, otherwise from the model, `batch` folders per request.
    [[nodiscard]] Profiles profile(const std::vector<Target>& targets,
                                   const std::optional<std::filesystem::path>& cache, int batch);

    [[nodiscard]] int calls() const { return calls_; }
    [[nodiscard]] int failures() const { return failures_; }
    [[nodiscard]] double seconds() const { return seconds_; }

private:
    [[nodiscard]] std::optional<nlohmann::ordered_json> respond(const std::string& instructions,
                                                                const std::string& prompt,
                                                                const GenerationSchema& root);
    [[nodiscard]] nlohmann::ordered_json generate(const std::string& instructions,
                                                  const std::string& prompt,
                                                  const GenerationSchema& root);
    [[nodiscard]] Profiles profileBatch(const std::vector<int>& ids,
                                        const std::vector<Target>& targets);

    [[nodiscard]] static std::string describe(const FileItem& item);
    [[nodiscard]] static std::string describe(const Target& target, int samples);

    ModelEndpoint endpoint_;
    bool verbose_ = false;
    int calls_ = 0;
    int failures_ = 0;
    double seconds_ = 0;
};

} // namespace vesk
