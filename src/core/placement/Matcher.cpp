#include "core/placement/Matcher.h"

#include "core/text/Tokens.h"
#include "platform/EntryStatus.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <set>

namespace vesk {

namespace {

constexpr double minimumScore = 0.05;
constexpr double weakLexicalScore = 0.2;
constexpr double semanticThreshold = 0.75;
constexpr double otherKindFactor = 0.75;

std::string folderName(const Target& target) {
    return target.url.filename().string();
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) {
            text += ' ';
        }
        text += word;
    }
    return text;
}

double denseCosine(const std::vector<double>& a, const std::vector<double>& b) {
    // Vectors of one model always agree in length; a mismatch is treated as unrelated.
    if (a.empty() || a.size() != b.size()) {
        return 0;
    }
    double dot = 0;
    double aa = 0;
    double bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        dot += a[i] * b[i];
        aa += a[i] * a[i];
        bb += b[i] * b[i];
    }
    if (!(aa > 0) || !(bb > 0)) {
        return 0;
    }
    return dot / (std::sqrt(aa) * std::sqrt(bb));
}

// "%.2f" without the C locale's say over the decimal separator.
std::string twoDecimals(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

} // namespace

// Gives query-only tokens ids above the document vocabulary, so that two query-side vectors
// (a file and a folder profile) can still meet on a word no document has.
class Matcher::QueryIds {
public:
    explicit QueryIds(const Matcher& matcher) : matcher_(matcher) {}

    int id(const std::string& token) {
        if (const auto known = matcher_.tokenIds_.find(token); known != matcher_.tokenIds_.end()) {
            return known->second;
        }
        const int next = static_cast<int>(matcher_.idf_.size() + extra_.size());
        return extra_.try_emplace(token, next).first->second;
    }

private:
    const Matcher& matcher_;
    std::unordered_map<std::string, int> extra_;
};

Matcher::Matcher(std::vector<Target> targets,
                 const std::vector<std::vector<std::string>>& extraDocs,
                 std::shared_ptr<const SentenceEmbedding> embedding)
    : targets_(std::move(targets)), embedding_(std::move(embedding)) {
    // Documents: every sibling name, then every folder name, then the extra documents.
    std::vector<std::vector<int>> documents;
    firstSibling_.reserve(targets_.size() + 1);
    for (const Target& target : targets_) {
        firstSibling_.push_back(documents.size());
        for (const std::string& name : target.siblingNames) {
            // Same extension rule as FileItem::stem.
            documents.push_back(intern(Tokens::of(platform::deletingPathExtension(name))));
        }
    }
    firstSibling_.push_back(documents.size());
    nameEmbeddings_.reserve(targets_.size());
    for (const Target& target : targets_) {
        const std::vector<std::string> words = Tokens::of(folderName(target));
        nameEmbeddings_.push_back(words.empty() ? std::nullopt : embed(words));
        documents.push_back(intern(words));
    }
    for (const std::vector<std::string>& doc : extraDocs) {
        documents.push_back(intern(doc));
    }

    weighTokens(documents);
    storeVectors(documents);
    buildIndex();
}

std::vector<int> Matcher::intern(const std::vector<std::string>& tokens) {
    std::vector<int> ids;
    ids.reserve(tokens.size());
    for (const std::string& token : tokens) {
        const int next = static_cast<int>(tokenIds_.size());
        ids.push_back(tokenIds_.try_emplace(token, next).first->second);
    }
    return ids;
}

void Matcher::weighTokens(const std::vector<std::vector<int>>& documents) {
    const std::size_t vocabulary = tokenIds_.size();
    std::vector<int> df(vocabulary, 0);
    std::vector<std::size_t> lastDocument(vocabulary, 0); // counts each token once per document
    for (std::size_t d = 0; d < documents.size(); ++d) {
        for (const int id : documents[d]) {
            if (lastDocument[id] != d + 1) {
                lastDocument[id] = d + 1;
                ++df[id];
            }
        }
    }
    const double n = static_cast<double>(documents.size());
    idf_.resize(vocabulary);
    for (std::size_t id = 0; id < vocabulary; ++id) {
        idf_[id] = std::log((n + 1) / (df[id] + 1)) + 1;
    }
}

void Matcher::storeVectors(const std::vector<std::vector<int>>& documents) {
    const std::size_t firstName = firstSibling_.back();
    siblingVecs_.reserve(firstName);
    for (std::size_t d = 0; d < firstName; ++d) {
        siblingVecs_.push_back(store(vector(documents[d])));
    }
    nameVecs_.reserve(targets_.size());
    centroids_.reserve(targets_.size());
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        const std::vector<int>& nameIds = documents[firstName + i];
        nameVecs_.push_back(store(vector(nameIds)));
        std::vector<int> all;
        for (std::size_t d = firstSibling_[i]; d < firstSibling_[i + 1]; ++d) {
            all.insert(all.end(), documents[d].begin(), documents[d].end());
        }
        all.insert(all.end(), nameIds.begin(), nameIds.end());
        centroids_.push_back(store(vector(all)));
    }
}

// Compressed rows: indexStart_[t]..indexStart_[t + 1] are token t's postings, in target and
// sibling order.
void Matcher::buildIndex() {
    const std::size_t vocabulary = idf_.size();
    indexStart_.assign(vocabulary + 1, 0);
    for (const Span& span : siblingVecs_) {
        for (const Entry& entry : view(span)) {
            ++indexStart_[entry.token + 1];
        }
    }
    for (std::size_t id = 0; id < vocabulary; ++id) {
        indexStart_[id + 1] += indexStart_[id];
    }
    index_.resize(indexStart_[vocabulary]);
    std::vector<std::size_t> next(indexStart_.begin(), indexStart_.end() - 1);
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        for (std::size_t d = firstSibling_[i]; d < firstSibling_[i + 1]; ++d) {
            for (const Entry& entry : view(siblingVecs_[d])) {
                index_[next[entry.token]++] = {
                    static_cast<int>(i), static_cast<int>(d - firstSibling_[i]), entry.weight};
            }
        }
    }
}

std::vector<Match> Matcher::rank(const std::vector<std::string>& tokens, Kind kind) const {
    QueryIds ids(*this);
    const SparseVector query = vector(tokens, ids);
    if (query.empty()) {
        return {};
    }

    struct BestSibling {
        double score = 0;
        int sibling = -1;
    };
    // The cosine with every sibling sharing a token, accumulated through the postings in one
    // pass: the same products added in the same (token id) order as a pairwise cosine, so the
    // sums are identical, without looking each pair's tokens up again.
    // Every product is positive, so a zero sum means "not reached yet".
    thread_local std::vector<double> dot;
    thread_local std::vector<const Posting*> reached; // siblings in the order first reached
    dot.resize(siblingVecs_.size(), 0.0);
    for (const Entry& key : query) {
        if (static_cast<std::size_t>(key.token) >= idf_.size()) {
            continue;
        }
        for (std::size_t k = indexStart_[key.token]; k < indexStart_[key.token + 1]; ++k) {
            const Posting& posting = index_[k];
            const std::size_t flat = firstSibling_[posting.target] + posting.sibling;
            if (dot[flat] == 0.0) {
                reached.push_back(&posting);
            }
            dot[flat] += key.weight * posting.weight;
        }
    }
    // A later sibling must score strictly higher, so of equally good siblings the one reached
    // first is named.
    std::vector<BestSibling> best(targets_.size());
    for (const Posting* posting : reached) {
        const std::size_t flat = firstSibling_[posting->target] + posting->sibling;
        BestSibling& current = best[posting->target];
        if (current.sibling >= 0 ? dot[flat] > current.score : dot[flat] > 0) {
            current = {dot[flat], posting->sibling};
        }
        dot[flat] = 0.0;
    }
    reached.clear();
    const std::optional<std::vector<double>> queryEmbedding = embed(tokens);

    std::vector<Match> matches;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        const Target& target = targets_[i];
        const double byName = cosine(query, view(nameVecs_[i]));
        const double bySibling = best[i].score;
        const double byCentroid = cosine(query, view(centroids_[i]));
        double score = byName <= bySibling ? bySibling : byName;
        if (score <= byCentroid) {
            score = byCentroid;
        }

        std::string why;
        if (score == bySibling) {
            if (best[i].sibling >= 0) {
                why = "像 “" + target.siblingNames[best[i].sibling] + "”";
            }
        } else if (score == byName) {
            why = "文件夹名称相符";
        } else {
            why = "和整个文件夹的用词相近";
        }

        if (score < weakLexicalScore && queryEmbedding && nameEmbeddings_[i]) {
            const double semantic = denseCosine(*queryEmbedding, *nameEmbeddings_[i]);
            if (semantic > semanticThreshold) {
                score = (semantic - semanticThreshold) * 2;
                why = "语义相近 " + twoDecimals(semantic);
            }
        }
        if (!target.kinds.empty() && !target.kinds.contains(kind) && kind != Kind::folder) {
            score *= otherKindFactor;
        }
        if (score > minimumScore) {
            matches.push_back({static_cast<int>(i), score, std::move(why)});
        }
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const Match& a, const Match& b) { return a.score > b.score; });
    return matches;
}

std::vector<int> Matcher::shortlist(const std::vector<std::string>& tokens, Kind kind,
                                    const Profiles& profiles, int k) const {
    if (k <= 0) {
        return {};
    }
    std::vector<int> found = candidates(kind);
    if (found.size() <= static_cast<std::size_t>(k)) {
        return found;
    }

    QueryIds ids(*this);
    const SparseVector file = vector(tokens, ids);
    const std::optional<std::vector<double>> fileEmbedding = embed(tokens);
    std::vector<std::pair<int, double>> scored;
    scored.reserve(found.size());
    for (const int i : found) {
        const auto profile = profiles.find(i);
        std::vector<std::string> parts{folderName(targets_[i]),
                                       profile != profiles.end() ? profile->second.purpose : ""};
        if (profile != profiles.end()) {
            parts.insert(parts.end(), profile->second.keywords.begin(),
                         profile->second.keywords.end());
        }
        std::vector<std::string> words;
        for (const std::string& part : parts) {
            std::vector<std::string> partWords = Tokens::of(part);
            words.insert(words.end(), std::make_move_iterator(partWords.begin()),
                         std::make_move_iterator(partWords.end()));
        }
        double score = cosine(file, vector(words, ids));
        if (fileEmbedding) {
            if (const auto described = embedding_->vector(joined(parts))) {
                score = std::max(score, denseCosine(*fileEmbedding, *described));
            }
        }
        scored.emplace_back(i, score);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    found.clear();
    for (std::size_t n = 0; n < static_cast<std::size_t>(k); ++n) {
        found.push_back(scored[n].first);
    }
    return found;
}

std::vector<int> Matcher::candidates(Kind kind) const {
    // Folders that directly hold another target are groupings, not destinations.
    std::set<std::filesystem::path> parents;
    for (const Target& target : targets_) {
        std::filesystem::path parent = target.url.parent_path();
        if (parent != target.url) {
            parents.insert(std::move(parent));
        }
    }
    std::vector<int> found;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        const Target& target = targets_[i];
        if (target.isProject) {
            continue;
        }
        const bool fits = target.siblingNames.empty() ? !parents.contains(target.url)
                                                      : target.kinds.contains(kind);
        if (fits) {
            found.push_back(static_cast<int>(i));
        }
    }
    return found;
}

Matcher::SparseVector Matcher::vector(const std::vector<int>& ids) const {
    // Every occurrence of a token adds the same weight, so grouping them by id changes no sum.
    std::vector<int> sorted(ids);
    std::sort(sorted.begin(), sorted.end());
    SparseVector vec;
    for (const int id : sorted) {
        const double weight = static_cast<std::size_t>(id) < idf_.size() ? idf_[id] : 1.0;
        if (!vec.empty() && vec.back().token == id) {
            vec.back().weight += weight;
        } else {
            vec.push_back({id, weight});
        }
    }
    double squares = 0;
    for (const Entry& entry : vec) {
        squares += entry.weight * entry.weight;
    }
    const double norm = std::sqrt(squares);
    if (!(norm > 0)) {
        return {};
    }
    for (Entry& entry : vec) {
        entry.weight /= norm;
    }
    return vec;
}

Matcher::SparseVector Matcher::vector(const std::vector<std::string>& tokens, QueryIds& ids) const {
    std::vector<int> tokenIds;
    tokenIds.reserve(tokens.size());
    for (const std::string& token : tokens) {
        tokenIds.push_back(ids.id(token));
    }
    return vector(tokenIds);
}

double Matcher::cosine(std::span<const Entry> a, std::span<const Entry> b) {
    if (a.size() > b.size()) {
        std::swap(a, b);
    }
    double sum = 0;
    auto from = b.begin();
    for (const Entry& entry : a) {
        from = std::lower_bound(from, b.end(), entry.token,
                                [](const Entry& e, int token) { return e.token < token; });
        if (from == b.end()) {
            break;
        }
        if (from->token == entry.token) {
            sum += entry.weight * from->weight;
        }
    }
    return sum;
}

Matcher::Span Matcher::store(const SparseVector& vec) {
    const Span span{entries_.size(), entries_.size() + vec.size()};
    entries_.insert(entries_.end(), vec.begin(), vec.end());
    return span;
}

std::span<const Matcher::Entry> Matcher::view(Span span) const {
    return std::span<const Entry>(entries_).subspan(span.begin, span.end - span.begin);
}

std::optional<std::vector<double>> Matcher::embed(const std::vector<std::string>& words) const {
    if (!embedding_) {
        return std::nullopt;
    }
    return embedding_->vector(joined(words));
}

} // namespace vesk
