#include "core/placement/Matcher.h"

#include "core/text/Tokens.h"
#include "core/util/DecimalText.h"
#include "core/util/TopN.h"
#include "platform/EntryStatus.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <set>

namespace vesk {

namespace {

constexpr double minimumScore = 0.05;
constexpr double weakLexicalScore = 0.2;
constexpr double semanticThreshold = 0.75;
constexpr double otherKindFactor = 0.75;

std::string folderName(const Target& target) {
    return target.path.filename().string();
}

std::uint32_t kindBit(Kind kind) {
    static_assert(static_cast<unsigned>(Kind::other) < 32, "a kind set must fit one word");
    return 1U << static_cast<unsigned>(kind);
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

} // namespace

// Gives query-only tokens ids above the document vocabulary, so that two query-side vectors
// (a file and a folder profile) can still meet on a word no document has.
// Numbers after `known` (those of the folder profiles, for a file's tokens).
class Matcher::QueryIds {
public:
    explicit QueryIds(const Matcher& matcher,
                      const std::unordered_map<std::string, int>* known = nullptr)
        : matcher_(matcher), known_(known) {}

    int id(const std::string& token) {
        if (const auto found = matcher_.tokenIds_.find(token); found != matcher_.tokenIds_.end()) {
            return found->second;
        }
        if (known_ != nullptr) {
            if (const auto found = known_->find(token); found != known_->end()) {
                return found->second;
            }
        }
        const std::size_t before = known_ != nullptr ? known_->size() : 0;
        const int next = static_cast<int>(matcher_.idf_.size() + before + extra_.size());
        return extra_.try_emplace(token, next).first->second;
    }

    [[nodiscard]] std::unordered_map<std::string, int> take() && { return std::move(extra_); }

private:
    const Matcher& matcher_;
    const std::unordered_map<std::string, int>* known_;
    std::unordered_map<std::string, int> extra_;
};

// The token ids of every document, back to back: every sibling name, then every folder name.
class Matcher::Documents {
public:
    void reserve(std::size_t documents, std::size_t ids) {
        starts_.reserve(documents + 1);
        ids_.reserve(ids);
    }
    void add(const std::vector<int>& ids) {
        ids_.insert(ids_.end(), ids.begin(), ids.end());
        starts_.push_back(ids_.size());
    }
    [[nodiscard]] std::size_t size() const { return starts_.size() - 1; }
    [[nodiscard]] std::span<const int> operator[](std::size_t document) const {
        return std::span<const int>(ids_).subspan(starts_[document],
                                                  starts_[document + 1] - starts_[document]);
    }
    // Documents first..last as one list.
    [[nodiscard]] std::span<const int> range(std::size_t first, std::size_t last) const {
        return std::span<const int>(ids_).subspan(starts_[first], starts_[last] - starts_[first]);
    }

private:
    std::vector<int> ids_;
    std::vector<std::size_t> starts_{0};
};

// The scores of one query, accumulated through the postings in per-thread arrays that stay
// zero between queries: only the entries a query reaches are touched, and reset again on
// destruction. Every sum adds the query's products in token id order, the order a pairwise
// cosine adds them, so the sums are the same to the last bit. Every product is positive, so a
// zero sum means "not reached yet".
//
// Folder names and vocabularies are summed for every folder reached; sibling names, by far
// the most postings, only for the folders asked for.
class Matcher::Sums {
public:
    struct BestSibling {
        double score = 0;
        int sibling = -1; // across all targets
    };

    Sums(const Matcher& matcher, const SparseVector& query) : matcher_(matcher), state_(state()) {
        grow(state_.names, matcher.folders_.size());
        grow(state_.centroids, matcher.folders_.size());
        grow(state_.peaks, matcher.folders_.size());
        grow(state_.best, matcher.folders_.size());
        grow(state_.siblings, matcher.mostSiblings_);
        for (const Entry& key : query) {
            if (static_cast<std::size_t>(key.token) < matcher.idf_.size()) {
                addFolders(key);
                const auto postings = matcher.siblingIndex_.of(key.token);
                state_.cursors.push_back(
                    {postings.data(), postings.data() + postings.size(), key.token, key.weight});
            }
        }
    }
    ~Sums() {
        for (const int target : state_.reached) {
            state_.names[target] = 0.0;
            state_.centroids[target] = 0.0;
            state_.peaks[target] = 0.0;
            state_.best[target] = {};
        }
        state_.reached.clear();
        state_.cursors.clear();
    }
    Sums(const Sums&) = delete;
    Sums& operator=(const Sums&) = delete;

    // Targets sharing at least one token with the query, in the order first reached.
    [[nodiscard]] const std::vector<int>& reached() const { return state_.reached; }
    [[nodiscard]] double byName(int target) const { return state_.names[target]; }
    [[nodiscard]] double byCentroid(int target) const { return state_.centroids[target]; }
    // Before addSiblings: no sibling name of the target can score more than this. Each term
    // is at least the term of any one name, and rounding keeps that order.
    [[nodiscard]] double siblingCeiling(int target) const { return state_.peaks[target]; }
    // After addSiblings for the target.
    [[nodiscard]] BestSibling bestSibling(int target) const { return state_.best[target]; }

    // Finds the best sibling name of each target, given in ascending order. Each token's
    // sibling postings are in target order, so the tokens' lists are read side by side, one
    // target at a time, and a target's sums fit a small array that stays in cache.
    void addSiblings(std::span<const int> targets) {
        for (const int target : targets) {
            const std::size_t first = matcher_.firstSibling_[target];
            const std::size_t last = matcher_.firstSibling_[target + 1];
            for (Cursor& cursor : state_.cursors) {
                if (cursor.at != cursor.end && cursor.at->sibling < first) {
                    cursor.at = std::lower_bound(cursor.at, cursor.end, first,
                                                 [](const SiblingPosting& posting, std::size_t s) {
                                                     return posting.sibling < s;
                                                 });
                }
                for (; cursor.at != cursor.end && cursor.at->sibling < last; ++cursor.at) {
                    const auto sibling = static_cast<int>(cursor.at->sibling - first);
                    double& sum = state_.siblings[sibling];
                    if (sum == 0.0) {
                        state_.siblingsReached.push_back(sibling);
                    }
                    sum += cursor.weight * matcher_.siblingWeight(cursor.token, *cursor.at);
                }
            }
            state_.best[target] = pickBestSibling(first);
        }
    }

private:
    // One query token's sibling postings, and how far they have been read.
    struct Cursor {
        const SiblingPosting* at = nullptr;
        const SiblingPosting* end = nullptr;
        int token = 0;
        double weight = 0;
    };
    struct State {
        std::vector<double> names; // per target
        std::vector<double> centroids;
        std::vector<double> peaks;
        std::vector<BestSibling> best;
        std::vector<Cursor> cursors;  // per query token, in token id order
        std::vector<double> siblings; // per sibling of the target at hand
        std::vector<int> siblingsReached;
        std::vector<int> reached;
    };
    static State& state() {
        thread_local State instance;
        return instance;
    }
    template <class T> static void grow(std::vector<T>& values, std::size_t size) {
        if (values.size() < size) {
            values.resize(size);
        }
    }

    // A folder's vocabulary holds all its tokens, so its postings alone tell which targets
    // are reached.
    void addFolders(const Entry& key) {
        for (const FolderPosting& posting : matcher_.nameIndex_.of(key.token)) {
            state_.names[posting.target] += key.weight * posting.weight;
        }
        for (const VocabularyPosting& posting : matcher_.centroidIndex_.of(key.token)) {
            double& sum = state_.centroids[posting.target];
            if (sum == 0.0) {
                state_.reached.push_back(posting.target);
            }
            sum += key.weight * posting.weight;
            state_.peaks[posting.target] += key.weight * posting.siblingPeak;
        }
    }

    // Siblings are reached token by token, each token's in order. A later sibling must score
    // strictly higher, so of equally good siblings the one reached first is named.
    [[nodiscard]] BestSibling pickBestSibling(std::size_t firstSibling) {
        BestSibling best;
        for (const int sibling : state_.siblingsReached) {
            double& sum = state_.siblings[sibling];
            if (best.sibling >= 0 ? sum > best.score : sum > 0) {
                best = {sum, static_cast<int>(firstSibling) + sibling};
            }
            sum = 0.0;
        }
        state_.siblingsReached.clear();
        return best;
    }

    const Matcher& matcher_;
    State& state_;
};

// One target's score for a query, and what its reason will say.
struct Matcher::Scored {
    enum class Reason { sibling, name, vocabulary, semantic };

    int target = 0;
    double score = 0;
    Reason reason = Reason::vocabulary;
    int sibling = -1;    // Reason::sibling
    double semantic = 0; // Reason::semantic
};

Matcher::Matcher(const std::vector<Target>& targets,
                 std::shared_ptr<const SentenceEmbedding> embedding)
    : Matcher(targets, std::make_shared<const FolderNames>(targets), std::move(embedding)) {}

Matcher::Matcher(const std::vector<Target>& targets, std::shared_ptr<const FolderNames> names,
                 std::shared_ptr<const SentenceEmbedding> embedding)
    : names_(std::move(names)), embedding_(std::move(embedding)) {
    describe(targets);
    const Documents documents = tokenize(targets);
    weighTokens(documents);
    buildIndexes(documents);
}

void Matcher::describe(const std::vector<Target>& targets) {
    // Folders that directly hold another target are groupings, not destinations.
    std::set<std::filesystem::path> parents;
    for (const Target& target : targets) {
        std::filesystem::path parent = target.path.parent_path();
        if (parent != target.path) {
            parents.insert(std::move(parent));
        }
    }
    folders_.reserve(targets.size());
    firstSibling_.reserve(targets.size() + 1);
    for (const Target& target : targets) {
        Folder folder{folderName(target), {}, 0, target.isProject, parents.contains(target.path)};
        for (const Kind kind : target.kinds) {
            folder.kinds |= kindBit(kind);
        }
        folders_.push_back(std::move(folder));
        firstSibling_.push_back(siblings_);
        siblings_ += target.siblingNames.size();
    }
    firstSibling_.push_back(siblings_);
    for (std::size_t i = 0; i < targets.size(); ++i) {
        mostSiblings_ = std::max(mostSiblings_, firstSibling_[i + 1] - firstSibling_[i]);
    }
}

Matcher::Documents Matcher::tokenize(const std::vector<Target>& targets) {
    Documents documents;
    // Names rarely have more than a few words; a longer one only grows the list once more.
    constexpr std::size_t usualWords = 4;
    const std::size_t count = siblings_ + targets.size();
    documents.reserve(count, count * usualWords);
    for (const Target& target : targets) {
        for (const std::string& name : target.siblingNames) {
            // Same extension rule as FileItem::stem.
            documents.add(intern(Tokens::of(platform::deletingPathExtension(name))));
        }
    }
    nameEmbeddings_.reserve(targets.size());
    for (Folder& folder : folders_) {
        const std::vector<std::string> words = Tokens::of(folder.name);
        nameEmbeddings_.push_back(words.empty() ? std::nullopt : embed(words));
        folder.words = intern(words);
        documents.add(folder.words);
    }
    return documents;
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

void Matcher::weighTokens(const Documents& documents) {
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
    rareWeight_ = std::log((n + 1) / 2) + 1;
}

void Matcher::buildIndexes(const Documents& documents) {
    const std::size_t targets = folders_.size();
    siblingNorms_.resize(siblings_);
    SparseVector weighed;
    for (std::size_t d = 0; d < siblings_; ++d) {
        weighed.clear();
        for (const int id : documents[d]) {
            weighed.push_back({id, idf_[id]});
        }
        siblingNorms_[d] = groupedLength(weighed);
    }
    siblingIndex_ = index<SiblingPosting>(
        siblings_,
        [&](std::size_t d, std::vector<int>& ids) {
            ids.assign(documents[d].begin(), documents[d].end());
        },
        [&](std::size_t d, const Entry& entry) {
            const auto count = std::count(documents[d].begin(), documents[d].end(), entry.token);
            return SiblingPosting{static_cast<std::uint32_t>(d), static_cast<std::uint32_t>(count)};
        });
    nameIndex_ = index<FolderPosting>(
        targets, [&](std::size_t i, std::vector<int>& ids) { ids = folders_[i].words; },
        [](std::size_t i, const Entry& entry) {
            return FolderPosting{static_cast<int>(i), entry.weight};
        });
    // A folder's vocabulary: all its sibling names' tokens, then its name's.
    centroidIndex_ = index<VocabularyPosting>(
        targets,
        [&](std::size_t i, std::vector<int>& ids) {
            const std::span<const int> names =
                documents.range(firstSibling_[i], firstSibling_[i + 1]);
            ids.assign(names.begin(), names.end());
            ids.insert(ids.end(), folders_[i].words.begin(), folders_[i].words.end());
        },
        [](std::size_t i, const Entry& entry) {
            return VocabularyPosting{static_cast<int>(i), entry.weight, 0.0};
        });
    findSiblingPeaks();
}

// A token's sibling postings and its vocabulary postings are both in target order, and every
// folder with the token in a sibling name has it in its vocabulary.
void Matcher::findSiblingPeaks() {
    for (std::size_t token = 0; token < idf_.size(); ++token) {
        const std::span<const SiblingPosting> siblings = siblingIndex_.of(static_cast<int>(token));
        auto sibling = siblings.begin();
        for (std::size_t n = centroidIndex_.start[token]; n < centroidIndex_.start[token + 1];
             ++n) {
            VocabularyPosting& posting = centroidIndex_.postings[n];
            const std::size_t last = firstSibling_[posting.target + 1];
            for (; sibling != siblings.end() && sibling->sibling < last; ++sibling) {
                posting.siblingPeak = std::max(posting.siblingPeak,
                                               siblingWeight(static_cast<int>(token), *sibling));
            }
        }
    }
}

// Counts each row's distinct tokens first and fills the postings from the rows' vectors then,
// so that no vector is kept in between.
template <class Posting, class RowTokens, class MakePosting>
Matcher::Index<Posting> Matcher::index(std::size_t rows, RowTokens rowTokens,
                                       MakePosting makePosting) const {
    const std::size_t vocabulary = idf_.size();
    Index<Posting> built;
    built.start.assign(vocabulary + 1, 0);
    std::vector<int> ids;
    for (std::size_t row = 0; row < rows; ++row) {
        rowTokens(row, ids);
        std::sort(ids.begin(), ids.end());
        for (auto id = ids.begin(); id != ids.end(); id = std::upper_bound(id, ids.end(), *id)) {
            ++built.start[*id + 1];
        }
    }
    for (std::size_t id = 0; id < vocabulary; ++id) {
        built.start[id + 1] += built.start[id];
    }
    built.postings.resize(built.start[vocabulary]);
    std::vector<std::size_t> next(built.start.begin(), built.start.end() - 1);
    SparseVector vec;
    for (std::size_t row = 0; row < rows; ++row) {
        rowTokens(row, ids);
        vector(ids, vec);
        for (const Entry& entry : vec) {
            built.postings[next[entry.token]++] = makePosting(row, entry);
        }
    }
    return built;
}

std::vector<Match> Matcher::best(const std::vector<std::string>& tokens, Kind kind,
                                 std::size_t count, const std::vector<std::string>& read) const {
    QueryIds ids(*this);
    const SparseVector query = vector(tokens, ids, read);
    if (query.empty() || count == 0) {
        return {};
    }
    std::vector<std::string> words = tokens;
    words.insert(words.end(), read.begin(), read.end());
    const std::optional<std::vector<double>> queryEmbedding = embed(words);

    const auto better = [](const Scored& a, const Scored& b) {
        return a.score > b.score || (a.score == b.score && a.target < b.target);
    };
    TopN<Scored, decltype(better)> top(count, better);
    const auto offer = [&](const Sums& sums, int target) {
        Scored scored = score(target, sums, kind, queryEmbedding);
        if (scored.score > minimumScore) {
            top.offer(scored);
        }
    };
    {
        Sums sums(*this, query);
        if (queryEmbedding) {
            // The embedding can lift a folder that shares no token with the file.
            std::vector<int> reached = sums.reached();
            std::sort(reached.begin(), reached.end());
            sums.addSiblings(reached);
            for (std::size_t i = 0; i < folders_.size(); ++i) {
                offer(sums, static_cast<int>(i));
            }
        } else {
            const std::vector<int> chosen = contenders(sums, kind, count);
            sums.addSiblings(chosen);
            for (const int target : chosen) {
                offer(sums, target);
            }
        }
    }

    std::vector<Match> matches;
    for (const Scored& scored : std::move(top).take()) {
        matches.push_back({scored.target, scored.score, why(scored)});
    }
    return matches;
}

Matcher::Scored Matcher::score(int target, const Sums& sums, Kind kind,
                               const std::optional<std::vector<double>>& queryEmbedding) const {
    const double byName = sums.byName(target);
    const Sums::BestSibling bySibling = sums.bestSibling(target);
    const double byCentroid = sums.byCentroid(target);
    Scored scored{target, byName <= bySibling.score ? bySibling.score : byName};
    if (scored.score <= byCentroid) {
        scored.score = byCentroid;
    }
    // Ties go to the sibling first, then the name. Only a score of 0, never a match, has no
    // sibling behind it.
    if (scored.score == bySibling.score && bySibling.sibling >= 0) {
        scored.reason = Scored::Reason::sibling;
        scored.sibling = bySibling.sibling;
    } else if (scored.score == byName) {
        scored.reason = Scored::Reason::name;
    } else {
        scored.reason = Scored::Reason::vocabulary;
    }

    if (scored.score < weakLexicalScore && queryEmbedding && nameEmbeddings_[target]) {
        const double semantic = denseCosine(*queryEmbedding, *nameEmbeddings_[target]);
        if (semantic > semanticThreshold) {
            scored.score = (semantic - semanticThreshold) * 2;
            scored.reason = Scored::Reason::semantic;
            scored.semantic = semantic;
        }
    }
    if (penalised(target, kind)) {
        scored.score *= otherKindFactor;
    }
    return scored;
}

bool Matcher::penalised(int target, Kind kind) const {
    const std::uint32_t kinds = folders_[target].kinds;
    return kinds != 0 && (kinds & kindBit(kind)) == 0 && kind != Kind::folder;
}

// The reached targets that may be among the `count` best, in ascending order. A target scores
// at least its name's and vocabulary's sums and at most that with its sibling ceiling, with the
// same kind penalty and the same rounding. One whose most is below the count-th highest least
// is beaten by `count` others whatever its sibling names say, so they need not be read.
std::vector<int> Matcher::contenders(const Sums& sums, Kind kind, std::size_t count) const {
    const auto penalty = [&](int target, double score) {
        return penalised(target, kind) ? score * otherKindFactor : score;
    };
    const std::vector<int>& reached = sums.reached();
    double floor = 0;
    if (reached.size() >= count) {
        std::vector<double> least;
        least.reserve(reached.size());
        for (const int target : reached) {
            least.push_back(
                penalty(target, std::max(sums.byName(target), sums.byCentroid(target))));
        }
        const auto nth = least.begin() + static_cast<std::ptrdiff_t>(count - 1);
        std::nth_element(least.begin(), nth, least.end(), std::greater<>());
        floor = *nth;
    }
    std::vector<int> chosen;
    for (const int target : reached) {
        const double most = penalty(
            target,
            std::max({sums.byName(target), sums.siblingCeiling(target), sums.byCentroid(target)}));
        if (most > minimumScore && most >= floor) {
            chosen.push_back(target);
        }
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

Reason Matcher::why(const Scored& scored) const {
    switch (scored.reason) {
    case Scored::Reason::sibling:
        return {ReasonCode::likeFile, {std::string(siblingName(scored.target, scored.sibling))}};
    case Scored::Reason::name:
        return {ReasonCode::folderName, {}};
    case Scored::Reason::vocabulary:
        break;
    case Scored::Reason::semantic:
        return {ReasonCode::closeInMeaning, {decimalText(scored.semantic, 2)}};
    }
    return {ReasonCode::folderWords, {}};
}

std::string_view Matcher::siblingName(int target, int sibling) const {
    const auto t = static_cast<std::size_t>(target);
    return names_->siblingName(t, static_cast<std::size_t>(sibling) - firstSibling_[t]);
}

Matcher::Profiled Matcher::profiled(const Profiles& profiles) const {
    Profiled result;
    QueryIds ids(*this);
    std::vector<int> words;
    SparseVector described;
    if (embedding_) {
        result.embeddings_.resize(folders_.size());
    }
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        const Folder& folder = folders_[i];
        if (folder.isProject) {
            continue; // never a candidate
        }
        const auto profile = profiles.find(static_cast<int>(i));
        std::vector<std::string> parts{folder.name,
                                       profile != profiles.end() ? profile->second.purpose : ""};
        if (profile != profiles.end()) {
            parts.insert(parts.end(), profile->second.keywords.begin(),
                         profile->second.keywords.end());
        }
        // The folder name's tokens are known from construction; the rest is tokenized here.
        words = folder.words;
        for (auto part = parts.begin() + 1; part != parts.end(); ++part) {
            for (const std::string& word : Tokens::of(*part)) {
                words.push_back(ids.id(word));
            }
        }
        vector(words, described);
        for (const Entry& entry : described) {
            const auto token = static_cast<std::size_t>(entry.token);
            if (token >= result.postings_.size()) {
                result.postings_.resize(token + 1);
            }
            result.postings_[token].push_back({static_cast<int>(i), entry.weight});
        }
        if (embedding_) {
            result.embeddings_[i] = embedding_->vector(joined(parts));
        }
    }
    result.extraIds_ = std::move(ids).take();
    return result;
}

std::vector<int> Matcher::shortlist(const std::vector<std::string>& tokens, Kind kind,
                                    const Profiled& profiled, int k) const {
    if (k <= 0) {
        return {};
    }
    std::vector<int> found = candidates(kind);
    if (found.size() <= static_cast<std::size_t>(k)) {
        return found;
    }

    // Cosines through the postings: each folder's products are added in token order, as a
    // cosine of the two vectors adds them, so the scores are the same to the last bit.
    QueryIds ids(*this, &profiled.extraIds_);
    const SparseVector file = vector(tokens, ids);
    std::vector<double> scores(folders_.size(), 0.0);
    for (const Entry& entry : file) {
        const auto token = static_cast<std::size_t>(entry.token);
        if (token < profiled.postings_.size()) {
            for (const FolderPosting& posting : profiled.postings_[token]) {
                scores[static_cast<std::size_t>(posting.target)] += entry.weight * posting.weight;
            }
        }
    }
    const std::optional<std::vector<double>> fileEmbedding = embed(tokens);
    const auto better = [](const std::pair<int, double>& a, const std::pair<int, double>& b) {
        return a.second > b.second || (a.second == b.second && a.first < b.first);
    };
    TopN<std::pair<int, double>, decltype(better)> top(static_cast<std::size_t>(k), better);
    int zeros = 0;
    for (const int i : found) {
        double score = scores[static_cast<std::size_t>(i)];
        if (fileEmbedding) {
            if (const auto& embedded = profiled.embeddings_[static_cast<std::size_t>(i)]) {
                score = std::max(score, denseCosine(*fileEmbedding, *embedded));
            }
        }
        // Of the folders that score nothing, only the first k can make the list.
        if (score > 0 || zeros++ < k) {
            top.offer({i, score});
        }
    }
    found.clear();
    for (const auto& [i, score] : std::move(top).take()) {
        found.push_back(i);
    }
    return found;
}

std::vector<int> Matcher::candidates(Kind kind) const {
    std::vector<int> found;
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        const Folder& folder = folders_[i];
        if (folder.isProject) {
            continue;
        }
        const bool hasFiles = firstSibling_[i + 1] > firstSibling_[i];
        const bool fits = hasFiles ? (folder.kinds & kindBit(kind)) != 0 : !folder.holdsTarget;
        if (fits) {
            found.push_back(static_cast<int>(i));
        }
    }
    return found;
}

double Matcher::weight(int id, double unknown) const {
    return static_cast<std::size_t>(id) < idf_.size() ? idf_[id] : unknown;
}

void Matcher::vector(std::span<const int> ids, SparseVector& into) const {
    into.clear();
    for (const int id : ids) {
        into.push_back({id, weight(id, 1.0)});
    }
    normalise(into);
}

void Matcher::normalise(SparseVector& into) {
    const double norm = groupedLength(into);
    if (!(norm > 0)) {
        into.clear();
        return;
    }
    for (Entry& entry : into) {
        entry.weight /= norm;
    }
}

double Matcher::groupedLength(SparseVector& into) {
    // Every occurrence of a token adds the same weight, so grouping them by id changes no sum.
    std::sort(into.begin(), into.end(),
              [](const Entry& a, const Entry& b) { return a.token < b.token; });
    std::size_t kept = 0;
    for (std::size_t n = 0; n < into.size(); ++n) {
        if (kept > 0 && into[kept - 1].token == into[n].token) {
            into[kept - 1].weight += into[n].weight;
        } else {
            into[kept++] = into[n];
        }
    }
    into.resize(kept);
    double squares = 0;
    for (const Entry& entry : into) {
        squares += entry.weight * entry.weight;
    }
    return std::sqrt(squares);
}

// As normalise works it out for the sibling name, to the last bit: the token's weight added up
// once per occurrence, over the name's length.
double Matcher::siblingWeight(int token, const SiblingPosting& posting) const {
    double weight = 0;
    for (std::uint32_t n = 0; n < posting.count; ++n) {
        weight += idf_[token];
    }
    return weight / siblingNorms_[posting.sibling];
}

Matcher::SparseVector Matcher::vector(const std::vector<std::string>& tokens, QueryIds& ids,
                                      const std::vector<std::string>& read) const {
    SparseVector vec;
    vec.reserve(tokens.size() + read.size());
    for (const std::string& token : tokens) {
        const int id = ids.id(token);
        vec.push_back({id, weight(id, rareWeight_)});
    }
    for (const std::string& token : read) {
        const int id = ids.id(token);
        vec.push_back({id, weight(id, 1.0)});
    }
    normalise(vec);
    return vec;
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

std::optional<std::vector<double>> Matcher::embed(const std::vector<std::string>& words) const {
    if (!embedding_) {
        return std::nullopt;
    }
    return embedding_->vector(joined(words));
}

} // namespace vesk
