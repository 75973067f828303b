#include "core/model/LocalLLM.h"

#include "core/model/AnswerProperties.h"
#include "core/model/ServiceExchange.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <stdexcept>

namespace vesk {

using nlohmann::ordered_json;

namespace {

constexpr const char* turnedOffText = "The local model is turned off";
constexpr const char* notReadyText = "The local model isn't ready yet";
constexpr const char* notAvailableText = "The local model isn't available";

constexpr const char* whatDescription = "What this file most likely is, in at most 8 English words";

constexpr const char* placeInstructions =
    "You help file downloaded files into a person's existing folders on their Mac. You only see "
    "the file NAME, never its contents. First say what the file is. Then pick the folder whose "
    "purpose matches it, or NONE if no folder is about it. NONE is a good answer: a wrong move is "
    "worse than leaving the file alone.";

constexpr const char* reviewInstructions =
    "You classify files on a person's Mac by their name. File names may be in English, Norwegian, "
    "Chinese or other languages. First say what the file is. Then pick the category it belongs "
    "to, or \"something else\" if none fits well.";

// The service has no separate channel for "include the schema in the prompt", so the schema
// follows the prompt as text, in the same JSON form the service enforces.
constexpr const char* schemaIntroduction = "\n\nAnswer with JSON matching this schema:\n";

// The availability probe must not hold up a scan for long.
constexpr std::chrono::seconds probeLimit{1};
// After this many failures in a row the service is taken to be down for the rest of the run.
constexpr int failuresBeforeGivingUp = 3;
// How much of an unreadable answer a diagnostic line quotes.
constexpr std::size_t quotedAnswer = 200;

// One line, whatever the text holds: control characters, line breaks above all, are escaped.
[[nodiscard]] std::string oneLine(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string line;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if (c == '\t') {
            line += "\\t";
        } else if (c < 0x20 || c == 0x7f) {
            line += "\\x";
            line += hex[c >> 4U];
            line += hex[c & 0x0FU];
        } else {
            line += ch;
        }
    }
    return line;
}

// The start of a long answer, cut between characters.
[[nodiscard]] std::string excerpt(const std::string& text) {
    if (text.size() <= quotedAnswer) {
        return text;
    }
    std::size_t end = quotedAnswer;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U) {
        --end;
    }
    return text.substr(0, end) + "…";
}

// The model ids of a /models listing; absent when the body is not such a listing.
[[nodiscard]] std::optional<std::vector<std::string>> modelIds(const std::string& body) {
    const auto listing = ordered_json::parse(body, nullptr, false);
    if (!listing.is_object() || !listing.contains("data") || !listing["data"].is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> ids;
    for (const auto& entry : listing["data"]) {
        if (entry.is_object() && entry.contains("id") && entry["id"].is_string()) {
            ids.push_back(entry["id"].get<std::string>());
        }
    }
    return ids;
}

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
    : endpoint_(std::move(endpoint)), diagnostics_(std::move(diagnostics)), stop_(std::move(stop)) {
}

std::optional<std::string> LocalLLM::unavailableReason(const ModelEndpoint& endpoint,
                                                       std::stop_token stop) {
    if (endpoint.url == "off") {
        return turnedOffText;
    }
    const auto address = loopbackService(endpoint.url);
    if (!address) {
        return notAvailableText;
    }
    std::optional<ServiceReply> listing;
    try {
        ServiceExchange service(*address, probeLimit, std::move(stop));
        listing = service.get("/models");
    } catch (const std::exception&) {
        return notAvailableText; // not even a thread to watch the probe with
    }
    if (!listing) {
        return notAvailableText;
    }
    if (listing->status == 503) {
        return notReadyText; // llama-server answers 503 while it loads the model
    }
    const auto ids = listing->status == 200 ? modelIds(listing->body) : std::nullopt;
    if (!ids) {
        return notAvailableText;
    }
    // A chosen model the service does not have (yet) would fail every request.
    const bool listed = endpoint.model.empty()
                            ? !ids->empty()
                            : std::find(ids->begin(), ids->end(), endpoint.model) != ids->end();
    if (!listed) {
        return notReadyText;
    }
    return std::nullopt;
}

std::optional<ordered_json> LocalLLM::respond(const std::string& instructions,
                                              const std::string& prompt,
                                              const GenerationSchema& root) {
    if (stop_.stop_requested()) {
        return std::nullopt; // the run is abandoned: its counters no longer matter
    }
    calls_ += 1;
    if (failuresInARow_ >= failuresBeforeGivingUp) {
        failures_ += 1;
        return std::nullopt;
    }
    const auto start = std::chrono::steady_clock::now();
    std::optional<ordered_json> result;
    try {
        result = generate(instructions, prompt, root);
        failuresInARow_ = 0;
    } catch (const std::exception& error) {
        failed(error.what());
    }
    seconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

void LocalLLM::failed(const std::string& why) {
    failures_ += 1;
    failuresInARow_ += 1;
    if (stop_.stop_requested()) {
        return; // cut short on purpose: nothing to report
    }
    report(why);
    if (failuresInARow_ == failuresBeforeGivingUp) {
        report(std::to_string(failuresBeforeGivingUp) +
               " requests failed in a row; the rest of this run does without the model");
    }
}

void LocalLLM::report(const std::string& text) const {
    if (diagnostics_) {
        diagnostics_("  [LLM] " + oneLine(text));
    }
}

// One request to the service, the model listing included when no model was chosen, all within
// the endpoint's time-out; throws with a readable description on any failure, which respond counts.
ordered_json LocalLLM::generate(const std::string& instructions, const std::string& prompt,
                                const GenerationSchema& root) {
    const auto address = loopbackService(endpoint_.url);
    if (!address) {
        throw std::runtime_error("the model service address is not a loopback HTTP URL: " +
                                 endpoint_.url);
    }
    ServiceExchange service(*address, endpoint_.timeout, stop_);
    if (endpoint_.model.empty()) {
        const auto listing = service.get("/models");
        if (!listing) {
            throw std::runtime_error(service.error());
        }
        const auto ids = listing->status == 200 ? modelIds(listing->body) : std::nullopt;
        if (!ids || ids->empty()) {
            throw std::runtime_error("the model service lists no model");
        }
        endpoint_.model = ids->front(); // the same model for the rest of the run
    }
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
    const auto response = service.post("/chat/completions", dumpJson(request));
    if (!response) {
        throw std::runtime_error(service.error());
    }
    if (response->status != 200) {
        throw std::runtime_error("the model service answered HTTP " +
                                 std::to_string(response->status));
    }
    const auto content = messageContent(response->body);
    auto answer = ordered_json::parse(content, nullptr, false);
    if (!answer.is_object()) {
        throw std::runtime_error("the model's answer is not a JSON object: " + excerpt(content));
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
    return Verdict::rejected(*category + "：" + what);
}

} // namespace vesk
