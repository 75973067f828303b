#include "core/model/LocalLLM.h"

#include "core/model/AnswerProperties.h"
#include "core/model/ModelService.h"
#include "core/model/ServiceConnection.h"
#include "core/model/ServiceText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <stdexcept>

namespace vesk {

using nlohmann::ordered_json;

namespace {

constexpr const char* whatDescription = "What this file most likely is, in at most 8 English words";

constexpr const char* placeInstructions =
    "You help file downloaded files into a person's existing folders on their computer. You only "
    "see the file NAME, never its contents. First say what the file is. Then pick the folder "
    "whose purpose matches it, or NONE if no folder is about it. NONE is a good answer: a wrong "
    "move is worse than leaving the file alone.";

constexpr const char* reviewInstructions =
    "You classify files on a person's computer by their name. File names may be in English, "
    "Norwegian, Chinese or other languages. First say what the file is. Then pick the category it "
    "belongs to, or \"something else\" if none fits well.";

// The service has no separate channel for "include the schema in the prompt", so the schema
// follows the prompt as text, in the same JSON form the service enforces.
constexpr const char* schemaIntroduction = "\n\nAnswer with JSON matching this schema:\n";

// After this many failures in a row the service is taken to be down for the rest of the run.
constexpr int failuresBeforeGivingUp = 3;
// How much of an unreadable answer a diagnostic line quotes.
constexpr std::size_t quotedAnswer = 200;

// The text of the first choice's message in a chat completion; empty when there is none.
[[nodiscard]] std::string messageContent(const std::string& body) {
    const auto envelope = ordered_json::parse(body, nullptr, false);
    const auto pointer = ordered_json::json_pointer("/choices/0/message/content");
    if (!envelope.is_object() || !envelope.contains(pointer) || !envelope[pointer].is_string()) {
        return {};
    }
    return envelope[pointer].get<std::string>();
}

[[nodiscard]] std::string dumpJson(const ordered_json& value) {
    // File names need not be valid UTF-8; the model still gets a readable request.
    return value.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

[[nodiscard]] std::string folderName(const Target& target) {
    const auto name = target.path.filename();
    return (name.empty() ? target.path.parent_path().filename() : name).string();
}

// The review's category names: the reviewed folder's first, then the alternatives', at most 4.
[[nodiscard]] std::vector<std::string> categoryNames(int target, const std::vector<Target>& targets,
                                                     const Profiles& profiles,
                                                     const std::vector<int>& alternatives) {
    std::vector<int> ids{target};
    for (const int id : alternatives) {
        if (id != target) {
            ids.push_back(id);
        }
    }
    std::vector<std::string> names;
    for (const int id : ids) {
        if (names.size() == 4) {
            break;
        }
        const auto own = folderName(targets[static_cast<std::size_t>(id)]);
        const auto profile = profiles.find(id);
        const bool described = profile != profiles.end() && !profile->second.purpose.empty();
        auto name = (described ? profile->second.purpose : own) + " (" + own + ")";
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

} // namespace

LocalLLM::LocalLLM(ModelEndpoint endpoint, Diagnostics diagnostics, std::stop_token stop)
    : endpoint_(std::move(endpoint)), diagnostics_(std::move(diagnostics)), stop_(std::move(stop)),
      parallel_(std::max(endpoint_.parallel, 1)),
      relay_(stop_, std::function<void()>([this] { halt_.request_stop(); })) {}

LocalLLM::~LocalLLM() = default;

int LocalLLM::calls() const {
    const std::lock_guard lock(mutex_);
    return calls_;
}

int LocalLLM::failures() const {
    const std::lock_guard lock(mutex_);
    return failures_;
}

double LocalLLM::seconds() const {
    const std::lock_guard lock(mutex_);
    return seconds_;
}

std::optional<std::string> LocalLLM::gaveUp() const {
    const std::lock_guard lock(mutex_);
    return gaveUp_;
}

std::optional<ordered_json> LocalLLM::respond(const std::string& instructions,
                                              const std::string& prompt,
                                              const GenerationSchema& root) {
    if (stop_.stop_requested()) {
        return std::nullopt; // the run is abandoned: its counters no longer matter
    }
    {
        const std::lock_guard lock(mutex_);
        calls_ += 1;
        if (halt_.stop_requested()) {
            failures_ += 1; // given up
            return std::nullopt;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    std::optional<ordered_json> result;
    std::string failure;
    try {
        result = generate(instructions, prompt, root);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::lock_guard lock(mutex_);
    seconds_ += elapsed;
    if (result) {
        failuresInARow_ = 0;
    } else {
        failed(failure);
    }
    return result;
}

// Called with the lock held.
void LocalLLM::failed(const std::string& why) {
    failures_ += 1;
    failuresInARow_ += 1;
    if (halt_.stop_requested()) {
        return; // cut short on purpose: nothing to report
    }
    report(why);
    if (failuresInARow_ == failuresBeforeGivingUp) {
        report(std::to_string(failuresBeforeGivingUp) +
               " requests failed in a row; the rest of this run does without the model");
        gaveUp_ = withoutSecret(why, endpoint_.key);
        halt_.request_stop(); // whatever is still under way would only fail too
    }
}

void LocalLLM::report(const std::string& text) const {
    if (diagnostics_) {
        diagnostics_("  [LLM] " + oneLine(withoutSecret(text, endpoint_.key)));
    }
}

// Settles the address and, when none was given, the model, once for all requests; throws with
// a readable description when the service can't tell, and the next request tries again.
void LocalLLM::resolve() {
    const std::lock_guard lock(resolving_);
    if (address_) {
        return;
    }
    if (endpoint_.model.empty()) {
        const auto check = checkModelService(endpoint_, endpoint_.timeout, halt_.get_token());
        if (!check.available()) {
            throw std::runtime_error(check.detail.empty() ? "the model service can't be used"
                                                          : check.detail);
        }
        endpoint_.url = check.url;
        endpoint_.model = check.model;
    }
    address_ = loopbackService(endpoint_.url);
    if (!address_) {
        throw std::runtime_error("the model service address is not a loopback HTTP URL: " +
                                 endpoint_.url);
    }
}

// An idle kept-alive connection, or a new one while fewer than `parallel` are in use.
std::unique_ptr<ServiceConnection> LocalLLM::connection() {
    const std::lock_guard lock(mutex_);
    if (idle_.empty()) {
        return std::make_unique<ServiceConnection>(*address_, endpoint_.key);
    }
    auto connection = std::move(idle_.back());
    idle_.pop_back();
    return connection;
}

// One request to the service within the endpoint's time-out; throws with a readable
// description on any failure, which respond counts.
ordered_json LocalLLM::generate(const std::string& instructions, const std::string& prompt,
                                const GenerationSchema& root) {
    resolve();
    const auto schema = root.toJson();
    const ordered_json request = {
        {"model", endpoint_.model},
        {"messages",
         {{{"role", "system"}, {"content", instructions}},
          {{"role", "user"}, {"content", prompt + schemaIntroduction + dumpJson(schema)}}}},
        {"response_format",
         {{"type", "json_schema"},
          {"json_schema", {{"name", root.name}, {"strict", true}, {"schema", schema}}}}},
        {"temperature", 0},
        {"stream", false}};
    auto service = connection();
    const auto response = service->post(address_->path + "/chat/completions", dumpJson(request),
                                        endpoint_.timeout, halt_.get_token());
    const std::string error = service->error();
    {
        const std::lock_guard lock(mutex_);
        idle_.push_back(std::move(service));
    }
    if (!response) {
        throw std::runtime_error(error);
    }
    if (response->status != 200) {
        throw std::runtime_error(refusal(*response, endpoint_.key));
    }
    const auto content = messageContent(response->body);
    auto answer = ordered_json::parse(content, nullptr, false);
    if (!answer.is_object()) {
        throw std::runtime_error("the model's answer is not a JSON object: " +
                                 excerpt(content, quotedAnswer));
    }
    return answer;
}

std::string LocalLLM::describe(const FileItem& item) {
    std::string text =
        "File name: \"" + item.name + "\"\nType: " + std::string(rawValue(item.kind));
    if (item.sourceDomain) {
        text += "\nDownloaded from: " + *item.sourceDomain;
    }
    return text;
}

std::optional<Placement> LocalLLM::place(const FileItem& item, const std::vector<int>& candidates,
                                         const std::vector<Target>& targets,
                                         const Profiles& profiles) {
    if (candidates.empty()) {
        return std::nullopt;
    }
    std::vector<std::string> choices{"NONE"};
    std::string folders = "- NONE — none of the folders below is about this";
    for (const int id : candidates) {
        const auto& label = targets[static_cast<std::size_t>(id)].label;
        choices.push_back(label);
        folders += "\n- " + label;
        if (const auto profile = profiles.find(id); profile != profiles.end()) {
            folders += " — " + profile->second.purpose;
        }
    }
    const auto schema = GenerationSchema::object(
        "Placement", {{"what", whatDescription, GenerationSchema::string()},
                      {"folder", std::nullopt, GenerationSchema::choice("FolderChoice", choices)},
                      {"confidence", std::nullopt,
                       GenerationSchema::choice("Confidence", {"high", "medium", "low"})}});
    const auto answer =
        respond(placeInstructions, describe(item) + "\n\nFolders:\n" + folders, schema);
    if (!answer) {
        return std::nullopt;
    }
    const auto folder = stringProperty(*answer, "folder");
    if (!folder) {
        return std::nullopt;
    }
    Placement placement;
    const auto chosen = std::find_if(candidates.begin(), candidates.end(), [&](int id) {
        return asSent(targets[static_cast<std::size_t>(id)].label) == *folder;
    });
    if (*folder != "NONE" && chosen != candidates.end()) {
        placement.target = *chosen;
    }
    placement.confidence = stringProperty(*answer, "confidence").value_or("low");
    placement.what = stringProperty(*answer, "what").value_or("");
    return placement;
}

Verdict LocalLLM::review(const FileItem& item, int target, const std::vector<Target>& targets,
                         const Profiles& profiles, const std::vector<int>& alternatives) {
    const auto names = categoryNames(target, targets, profiles, alternatives);
    auto choices = names;
    std::sort(choices.begin(), choices.end());
    choices.emplace_back("something else");
    const auto schema = GenerationSchema::object(
        "Review",
        {{"english", "The file name translated to plain English words", GenerationSchema::string()},
         {"what", whatDescription, GenerationSchema::string()},
         {"category", std::nullopt, GenerationSchema::choice("Category", choices)}});
    const auto answer = respond(reviewInstructions, describe(item), schema);
    if (!answer) {
        return Verdict::failed();
    }
    const auto category = stringProperty(*answer, "category");
    if (!category) {
        return Verdict::failed();
    }
    auto what = stringProperty(*answer, "what").value_or("");
    if (*category == asSent(names.front())) {
        return Verdict::approved(std::move(what));
    }
    return Verdict::rejected(*category, std::move(what));
}

} // namespace vesk
