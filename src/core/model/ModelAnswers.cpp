#include "core/model/ModelAnswers.h"

#include "core/model/AnswerProperties.h"
#include "core/util/AtomicFile.h"
#include "core/text/ExactText.h"
#include "core/util/FileUrl.h"
#include "core/util/WholeFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <system_error>

namespace vesk {

using nlohmann::ordered_json;

namespace {

// Ten thousand answers take about three megabytes.
constexpr std::size_t storedFileLimit = 64U << 20U;

// The shortest text that reads back as the same double, always with a decimal point.
std::string shortestDecimal(double value) {
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    std::string result(text, ec == std::errc() ? end : text);
    if (result.find_first_of(".eE") == std::string::npos) {
        result += ".0";
    }
    return result;
}

// 64-bit FNV-1a: the same digest in every process, unlike std::hash.
class Digest {
public:
    void add(std::string_view bytes) {
        for (const char c : bytes) {
            hash_ ^= static_cast<unsigned char>(c);
            hash_ *= 0x100000001b3U;
        }
        // A NUL byte ends every part: no label or file name can hold one.
        hash_ *= 0x100000001b3U;
    }
    [[nodiscard]] std::uint64_t value() const { return hash_; }
    [[nodiscard]] std::string hex() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
        return text;
    }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325U;
};

// One folder as offered: its label and file names.
std::uint64_t folderDigest(const Target& target, const std::string& signature) {
    Digest digest;
    digest.add(target.label);
    digest.add(signature);
    return digest.value();
}

// A rejection kept before verdicts named their category on their own is not read: that
// question is asked again.
struct OlderRejection {};

std::variant<Verdict, OlderRejection, std::monostate> decodeVerdict(const ordered_json& answer) {
    const auto verdict = stringProperty(answer, "verdict");
    auto text = stringProperty(answer, "text");
    if (!verdict || !text) {
        return std::monostate{};
    }
    if (*verdict == "approved") {
        return Verdict::approved(std::move(*text));
    }
    if (*verdict != "rejected") {
        return std::monostate{};
    }
    auto category = stringProperty(answer, "category");
    if (!category) {
        return OlderRejection{};
    }
    return Verdict::rejected(std::move(*category), std::move(*text));
}

ordered_json encodeVerdict(const Verdict& verdict) {
    if (verdict.kind == Verdict::Case::approved) {
        return {{"verdict", "approved"}, {"text", verdict.text}};
    }
    return {{"verdict", "rejected"}, {"text", verdict.text}, {"category", verdict.category}};
}

} // namespace

ModelAnswers::ModelAnswers(std::optional<std::filesystem::path> file, std::size_t limit)
    : file_(std::move(file)), limit_(limit) {}

std::string ModelAnswers::memoKey(const FileItem& item) {
    double added = 0.0;
    if (item.added) {
        added = std::chrono::duration<double>(item.added->time_since_epoch()).count();
    }
    return item.path.native() + "|" + std::to_string(item.size) + "|" + shortestDecimal(added);
}

ModelAnswers::Folders::Folders(const std::vector<Target>& targets,
                               const std::vector<std::string>& signatures)
    : targets_(&targets) {
    digests_.reserve(targets.size());
    for (std::size_t i = 0; i < targets.size(); ++i) {
        digests_.push_back(folderDigest(targets[i], signatures[i]));
    }
}

// In label order, so that a shortlist that only comes in another order is the same question.
std::string ModelAnswers::Folders::digest(std::vector<int> ids) const {
    const auto label = [&](int id) -> const std::string& {
        return (*targets_)[static_cast<std::size_t>(id)].label;
    };
    std::sort(ids.begin(), ids.end(), [&](int a, int b) { return label(a) < label(b); });
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    Digest digest;
    for (const int id : ids) {
        const std::uint64_t folder = digests_[static_cast<std::size_t>(id)];
        char bytes[sizeof folder];
        for (std::size_t n = 0; n < sizeof folder; ++n) {
            bytes[n] = static_cast<char>((folder >> (8 * n)) & 0xFFU);
        }
        digest.add(std::string_view(bytes, sizeof bytes));
    }
    return digest.hex();
}

ModelAnswers::Question ModelAnswers::placing(const FileItem& item,
                                             const std::vector<int>& candidates,
                                             const Folders& folders) {
    return {item.path, exactText(memoKey(item)), {}, folders.digest(candidates)};
}

ModelAnswers::Question ModelAnswers::reviewing(const FileItem& item, int target,
                                               const std::vector<int>& alternatives,
                                               const Folders& folders) {
    std::vector<int> offered{target};
    offered.insert(offered.end(), alternatives.begin(), alternatives.end());
    return {item.path, exactText(memoKey(item)),
            exactText(folders.targets()[static_cast<std::size_t>(target)].label),
            folders.digest(std::move(offered))};
}

std::optional<Placement> ModelAnswers::placement(const Question& question,
                                                 const std::vector<int>& candidates,
                                                 const std::vector<Target>& targets) {
    const Entry* entry = find(question);
    const auto* chosen = entry != nullptr ? std::get_if<Chosen>(&entry->answer) : nullptr;
    if (chosen == nullptr) {
        return std::nullopt;
    }
    Placement placement{std::nullopt, chosen->confidence, chosen->what};
    const auto folder = std::find_if(candidates.begin(), candidates.end(), [&](int id) {
        return exactText(targets[static_cast<std::size_t>(id)].label) == chosen->folder;
    });
    if (!chosen->folder.empty() && folder != candidates.end()) {
        placement.target = *folder;
    }
    return placement;
}

std::optional<Verdict> ModelAnswers::verdict(const Question& question) {
    const Entry* entry = find(question);
    const auto* verdict = entry != nullptr ? std::get_if<Verdict>(&entry->answer) : nullptr;
    if (verdict == nullptr) {
        return std::nullopt;
    }
    return *verdict;
}

const ModelAnswers::Entry* ModelAnswers::find(const Question& question) {
    load();
    const auto hit = entries_.find({question.file, question.folder});
    // The same file asked about other folders, or folders whose files changed, is another
    // question.
    if (hit == entries_.end() || hit->second.offered != question.offered) {
        return nullptr;
    }
    return &hit->second;
}

void ModelAnswers::update(const std::vector<Asked>& asked, const std::vector<FileItem>& items,
                          const std::vector<Target>& targets) {
    if (asked.empty()) {
        return;
    }
    load();
    const Date now = Clock::now();
    for (const auto& [question, answer] : asked) {
        const Key key{question.file, question.folder};
        const auto* verdict = answer ? std::get_if<Verdict>(&*answer) : nullptr;
        if (!answer || (verdict != nullptr && verdict->kind == Verdict::Case::failed)) {
            // Asked again, so what was kept was for other folders; a failure is no answer.
            entries_.erase(key);
            continue;
        }
        Entry entry{question.path, question.offered, now, Chosen{}};
        if (verdict != nullptr) {
            entry.answer = *verdict;
        } else {
            const auto& placement = std::get<Placement>(*answer);
            entry.answer =
                Chosen{placement.target
                           ? exactText(targets[static_cast<std::size_t>(*placement.target)].label)
                           : std::string(),
                       placement.confidence, placement.what};
        }
        entries_.insert_or_assign(key, std::move(entry));
    }
    forgetChanged(items);
    keepNewest();
    save();
}

void ModelAnswers::forgetChanged(const std::vector<FileItem>& items) {
    std::map<std::filesystem::path, std::string> present;
    for (const auto& item : items) {
        present.emplace(item.path, exactText(memoKey(item)));
    }
    std::erase_if(entries_, [&](const auto& kept) {
        const auto& [key, entry] = kept;
        if (const auto seen = present.find(entry.path); seen != present.end()) {
            return seen->second != key.first; // the same name, but written or replaced since
        }
        std::error_code ec;
        return std::filesystem::symlink_status(entry.path, ec).type() ==
               std::filesystem::file_type::not_found;
    });
}

void ModelAnswers::keepNewest() {
    if (entries_.size() <= limit_) {
        return;
    }
    std::vector<std::map<Key, Entry>::iterator> byAge;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        byAge.push_back(it);
    }
    const auto oldest = byAge.begin() + static_cast<std::ptrdiff_t>(byAge.size() - limit_);
    std::nth_element(byAge.begin(), oldest, byAge.end(),
                     [](auto a, auto b) { return a->second.date < b->second.date; });
    for (auto it = byAge.begin(); it != oldest; ++it) {
        entries_.erase(*it);
    }
}

// model-answers.json: a compact array of answers, each with every key present. A file that is
// missing or not entirely of this form counts as empty.
void ModelAnswers::load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    if (!file_) {
        return;
    }
    const auto text = readWholeFile(*file_, storedFileLimit);
    const auto root = text ? ordered_json::parse(*text, nullptr, false) : ordered_json();
    if (!root.is_array()) {
        return;
    }
    std::map<Key, Entry> entries;
    for (const auto& record : root) {
        const auto url = record.is_object() ? stringProperty(record, "file") : std::nullopt;
        const auto path = url ? fromFileUrl(*url) : std::nullopt;
        const auto key = stringProperty(record, "key");
        const auto reviewed = stringProperty(record, "reviewed");
        const auto offered = stringProperty(record, "offered");
        const auto date = record.find("date");
        const auto answer = record.find("answer");
        const auto when = date != record.end() && date->is_number()
                              ? fromReferenceSeconds(date->get<double>())
                              : std::nullopt;
        if (!path || !key || !reviewed || !offered || !when || answer == record.end() ||
            !answer->is_object()) {
            return;
        }
        Entry entry{*path, *offered, *when, Chosen{}};
        if (reviewed->empty()) {
            auto folder = stringProperty(*answer, "folder");
            auto confidence = stringProperty(*answer, "confidence");
            auto what = stringProperty(*answer, "what");
            if (!folder || !confidence || !what) {
                return;
            }
            entry.answer = Chosen{std::move(*folder), std::move(*confidence), std::move(*what)};
        } else {
            auto verdict = decodeVerdict(*answer);
            if (std::holds_alternative<OlderRejection>(verdict)) {
                continue;
            }
            if (auto* read = std::get_if<Verdict>(&verdict)) {
                entry.answer = std::move(*read);
            } else {
                return;
            }
        }
        entries.insert_or_assign({*key, *reviewed}, std::move(entry));
    }
    entries_ = std::move(entries);
}

void ModelAnswers::save() const {
    if (!file_) {
        return;
    }
    std::vector<std::map<Key, Entry>::const_iterator> byAge;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        byAge.push_back(it);
    }
    std::stable_sort(byAge.begin(), byAge.end(),
                     [](auto a, auto b) { return a->second.date < b->second.date; });
    ordered_json root = ordered_json::array();
    for (const auto& it : byAge) {
        const auto& [key, entry] = *it;
        ordered_json answer;
        if (const auto* chosen = std::get_if<Chosen>(&entry.answer)) {
            answer = {{"folder", chosen->folder},
                      {"confidence", chosen->confidence},
                      {"what", chosen->what}};
        } else {
            answer = encodeVerdict(std::get<Verdict>(entry.answer));
        }
        root.push_back({{"file", toFileUrl(entry.path)},
                        {"key", key.first},
                        {"reviewed", key.second},
                        {"offered", entry.offered},
                        {"date", toReferenceSeconds(entry.date)},
                        {"answer", std::move(answer)}});
    }
    // The model's own words are valid UTF-8 once parsed; names are kept in exact form.
    const auto bytes = root.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
    static_cast<void>(writeFileAtomically(*file_, bytes));
}

} // namespace vesk
