#include "core/placement/NameIndex.h"

#include "core/text/NameFeatures.h"
#include "core/text/TextCase.h"
#include "core/text/Utf8.h"
#include "platform/EntryStatus.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <tuple>

namespace vesk {

namespace {

// A folder counts as many of its nearest names.
constexpr std::size_t neighbours = 3;
// Weights of a folder's words as a whole and of its own name, against its nearest names.
constexpr double wordsWeight = 0.5;
constexpr double folderNameWeight = 0.25;
// BM25's usual term saturation (k1) and length normalisation (b).
constexpr double saturation = 1.2;
constexpr double lengthWeight = 0.75;
// Grams in more names than this tell little and would cost a query most of its time, so their
// names are not listed; and a query reads at most this many names, rarest grams first.
constexpr std::uint32_t commonGram = 1024;
constexpr std::size_t namesPerQuery = 4096;
// Likewise a query reads at most this many folders' counts of its words.
constexpr std::size_t foldersPerQuery = 2048;
// A name counts as nearly as like a file's as the nearest when it is at least half as like it.
constexpr double alikeShare = 0.5;
// The self-test: how many filed files it tries, how many it needs, and how often it must be right.
constexpr std::size_t selfTestFiles = 200;
constexpr std::size_t selfTestLeast = 20;
constexpr double selfTestGoal = 0.95;
// The phrases of a folder's name looked for inside one word of a script without spaces.
constexpr std::size_t longestUnspacedPhrase = 16;

std::string_view stemOf(std::string_view name) {
    return platform::deletingPathExtension(name);
}

// FNV-1a: a fixed spread of names, whatever order the folders were listed in.
std::uint64_t spread(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return hash;
}

} // namespace

// A query's sums, in per-thread arrays that stay clear between queries: only what a query
// reaches is touched, and cleared again when it is done.
struct NameIndex::Scratch {
    struct Folder {
        std::array<double, neighbours> nearest{}; // best similarities, highest first
        std::uint32_t nearestName = 0;
        double words = 0;
        bool named = false;
        double score = 0; // once all is summed
        bool reached = false;
    };

    std::vector<double> sums; // per name
    std::vector<std::uint32_t> reachedNames;
    std::vector<Folder> folders;
    std::vector<int> reachedFolders;

    static Scratch& forThisThread(std::size_t names, std::size_t folders) {
        thread_local Scratch scratch;
        if (scratch.sums.size() < names) {
            scratch.sums.resize(names);
        }
        if (scratch.folders.size() < folders) {
            scratch.folders.resize(folders);
        }
        return scratch;
    }

    Folder& reach(int target) {
        Folder& folder = folders[static_cast<std::size_t>(target)];
        if (!folder.reached) {
            folder.reached = true;
            reachedFolders.push_back(target);
        }
        return folder;
    }

    void clear() {
        for (const std::uint32_t name : reachedNames) {
            sums[name] = 0;
        }
        reachedNames.clear();
        for (const int target : reachedFolders) {
            folders[static_cast<std::size_t>(target)] = {};
        }
        reachedFolders.clear();
    }
};

NameIndex::NameIndex(const std::vector<Target>& targets,
                     std::vector<std::vector<std::string>> moreNames)
    : NameIndex(targets, std::make_shared<const FolderNames>(targets, std::move(moreNames))) {}

NameIndex::NameIndex(const std::vector<Target>& targets, std::shared_ptr<const FolderNames> names)
    : names_(std::move(names)) {
    findParents(targets);
    indexGrams();
    indexTerms();
    indexPhrases(targets);
    calibrate();
}

// Each target's nearest enclosing target, or -1: a folder and the folders inside it are one
// answer, never rivals.
void NameIndex::findParents(const std::vector<Target>& targets) {
    const auto folderOf = [](const Target& target) {
        std::filesystem::path folder = target.path.lexically_normal();
        return folder.has_filename() ? folder : folder.parent_path(); // "Work/" is "Work"
    };
    std::unordered_map<std::string, int> byPath;
    for (std::size_t t = 0; t < targets.size(); ++t) {
        byPath.emplace(folderOf(targets[t]).string(), static_cast<int>(t));
    }
    parents_.assign(targets.size(), -1);
    for (std::size_t t = 0; t < targets.size(); ++t) {
        const std::filesystem::path folder = folderOf(targets[t]);
        for (auto up = folder.parent_path(); up.has_relative_path(); up = up.parent_path()) {
            if (const auto found = byPath.find(up.string()); found != byPath.end()) {
                parents_[t] = found->second;
                break;
            }
        }
    }
}

std::string_view NameIndex::name(std::uint32_t id) const {
    return names_->name(id);
}

// Each name's grams are read once: their ids wait in one flat list until the counts are known.
void NameIndex::indexGrams() {
    const std::size_t count = names_->size();
    std::vector<std::size_t> starts{0};
    starts.reserve(count + 1);
    std::vector<std::uint32_t> ids;
    ids.reserve(names_->characters() + 2 * count); // about one gram per character
    std::vector<std::uint32_t> holding;    // names per gram
    std::vector<std::uint64_t> keys;
    for (std::uint32_t n = 0; n < count; ++n) {
        NameFeatures::grams(stemOf(name(n)), keys);
        for (const std::uint64_t key : keys) {
            const std::uint32_t id = gramIds_.add(key);
            if (id == holding.size()) {
                holding.push_back(0);
            }
            ++holding[id];
            ids.push_back(id);
        }
        starts.push_back(ids.size());
    }

    gramWeights_.reserve(holding.size());
    gramStarts_.assign(holding.size() + 1, 0);
    for (std::size_t g = 0; g < holding.size(); ++g) {
        gramWeights_.push_back(squaredIdf(holding[g]));
        gramStarts_[g + 1] = gramStarts_[g] + (holding[g] <= commonGram ? holding[g] : 0);
    }
    nameNorms_.resize(count);
    gramNames_.resize(gramStarts_.back());
    std::vector<std::size_t> next(gramStarts_.begin(), gramStarts_.end() - 1);
    for (std::uint32_t n = 0; n < count; ++n) {
        double squares = 0;
        for (std::size_t i = starts[n]; i < starts[n + 1]; ++i) {
            squares += gramWeights_[ids[i]];
            if (holding[ids[i]] <= commonGram) {
                gramNames_[next[ids[i]]++] = n;
            }
        }
        nameNorms_[n] = std::sqrt(squares);
    }
}

// A gram's weight in a cosine: the square of its rarity among the names.
double NameIndex::squaredIdf(std::uint32_t holding) const {
    const double idf =
        std::log((static_cast<double>(names_->size()) + 1) / (holding + 1)) + 1;
    return idf * idf;
}

void NameIndex::indexTerms() {
    const std::size_t folders = parents_.size();
    termTotals_.assign(folders, 0);
    std::vector<std::pair<std::uint32_t, TermPosting>> found; // term, then where and how often
    std::vector<std::uint32_t> ids;
    std::uint32_t n = 0;
    for (std::uint32_t target = 0; target < folders; ++target) {
        ids.clear();
        for (; n < names_->size() && names_->target(n) == target; ++n) {
            for (const std::string& term : NameFeatures::terms(stemOf(name(n)))) {
                const auto next = static_cast<std::uint32_t>(termIds_.size());
                ids.push_back(termIds_.try_emplace(term, next).first->second);
            }
        }
        termTotals_[target] = static_cast<double>(ids.size());
        std::sort(ids.begin(), ids.end());
        for (auto id = ids.begin(); id != ids.end();) {
            const auto end = std::upper_bound(id, ids.end(), *id);
            found.push_back({*id, {target, static_cast<std::uint32_t>(end - id)}});
            id = end;
        }
    }
    double sum = 0;
    for (const double terms : termTotals_) {
        sum += terms;
    }
    averageTerms_ = folders > 0 ? sum / static_cast<double>(folders) : 0;
    lengthNorms_.reserve(folders);
    for (const double terms : termTotals_) {
        lengthNorms_.push_back(lengthNorm(terms));
    }

    termStarts_.assign(termIds_.size() + 1, 0);
    for (const auto& [term, posting] : found) {
        ++termStarts_[term + 1];
    }
    for (std::size_t t = 0; t + 1 < termStarts_.size(); ++t) {
        termStarts_[t + 1] += termStarts_[t];
    }
    termPostings_.resize(found.size());
    std::vector<std::size_t> next(termStarts_.begin(), termStarts_.end() - 1);
    for (const auto& [term, posting] : found) { // in target order, so each list is too
        termPostings_[next[term]++] = posting;
    }
}

void NameIndex::indexPhrases(const std::vector<Target>& targets) {
    for (std::size_t t = 0; t < targets.size(); ++t) {
        for (const std::string& phrase : NameFeatures::phrases(targets[t].path.filename().string())) {
            longestPhrase_ =
                std::max(longestPhrase_,
                         static_cast<std::size_t>(std::count(phrase.begin(), phrase.end(), ' ')) + 1);
            auto& folders = phraseTargets_[phrase];
            if (folders.empty() || folders.back() != static_cast<int>(t)) {
                folders.push_back(static_cast<int>(t));
            }
        }
    }
}

// Leave-one-out on a fixed sample of the filed files: each is guessed as if it were waiting,
// from the names of all the others.
void NameIndex::calibrate() {
    struct Sampled {
        std::uint64_t spread = 0;
        std::uint32_t name = 0;
    };
    std::vector<Sampled> order;
    order.reserve(names_->size());
    for (std::uint32_t n = 0; n < names_->size(); ++n) {
        order.push_back({spread(name(n)), n});
    }
    const std::size_t tried = std::min(selfTestFiles, order.size());
    // The same sample whatever order the names came in: a name's own text and folder break ties.
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(tried),
                      order.end(), [&](const Sampled& first, const Sampled& second) {
                          return std::tuple(first.spread, name(first.name),
                                            names_->target(first.name)) <
                                 std::tuple(second.spread, name(second.name),
                                            names_->target(second.name));
                      });

    std::vector<std::pair<double, bool>> outcomes; // margin, right
    for (std::size_t i = 0; i < tried; ++i) {
        const std::uint32_t n = order[i].name;
        if (const auto guessed = judge(name(n), n, std::nullopt)) {
            outcomes.push_back(
                {guessed->margin, static_cast<std::uint32_t>(guessed->target) == names_->target(n)});
        }
    }
    if (outcomes.size() < selfTestLeast) {
        return;
    }
    std::sort(outcomes.begin(), outcomes.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::size_t right = 0;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        right += outcomes[i].second ? 1 : 0;
        const bool lastOfMargin = i + 1 == outcomes.size() || outcomes[i + 1].first < outcomes[i].first;
        const double precision = static_cast<double>(right) / static_cast<double>(i + 1);
        if (lastOfMargin && outcomes[i].first > 0 && precision >= selfTestGoal) {
            threshold_ = outcomes[i].first;
        }
    }
}

std::optional<NameIndex::Guess> NameIndex::guess(std::string_view fileName,
                                                 std::optional<int> rival) const {
    return judge(fileName, std::nullopt, rival);
}

std::optional<NameIndex::Guess> NameIndex::judge(std::string_view fileName,
                                                 std::optional<std::uint32_t> leftOut,
                                                 std::optional<int> rival) const {
    Scratch& scratch = Scratch::forThisThread(names_->size(), parents_.size());
    const std::string_view stem = stemOf(fileName);
    addNeighbours(stem, leftOut, scratch);
    addWords(stem, leftOut, scratch);
    addFolderNames(stem, scratch);

    const auto score = [&](int target) {
        const Scratch::Folder& folder = scratch.folders[static_cast<std::size_t>(target)];
        double nearest = 0;
        for (const double similarity : folder.nearest) {
            nearest += similarity;
        }
        return nearest / neighbours + wordsWeight * folder.words +
               (folder.named ? folderNameWeight : 0.0);
    };
    std::optional<Guess> result;
    double top = 0;
    for (const int target : scratch.reachedFolders) {
        Scratch::Folder& folder = scratch.folders[static_cast<std::size_t>(target)];
        folder.score = score(target);
        if (!result || folder.score > top || (folder.score == top && target < result->target)) {
            result.emplace();
            result->target = target;
            top = folder.score;
        }
    }
    if (result) {
        double runnerUp = 0; // a folder no file shares anything with scores 0
        for (const int target : scratch.reachedFolders) {
            const double scored = scratch.folders[static_cast<std::size_t>(target)].score;
            if (scored > runnerUp && !nested(result->target, target)) {
                runnerUp = scored;
            }
        }
        result->margin = top - runnerUp;
        if (rival && !nested(result->target, *rival)) {
            result->rivalLead = top - scratch.folders[static_cast<std::size_t>(*rival)].score;
        }
        describe(*result, scratch);
    }
    scratch.clear();
    return result;
}

// The names that make the folder look right: the nearest one, and how many more come close.
void NameIndex::describe(Guess& guess, const Scratch& scratch) const {
    const Scratch::Folder& best = scratch.folders[static_cast<std::size_t>(guess.target)];
    guess.folderNamed = best.named;
    if (best.nearest[0] <= 0) {
        return;
    }
    guess.nearest = name(best.nearestName);
    for (const std::uint32_t n : scratch.reachedNames) {
        // Once the neighbours are counted, the sums hold each name's similarity.
        if (n != best.nearestName && static_cast<int>(names_->target(n)) == guess.target &&
            scratch.sums[n] >= alikeShare * best.nearest[0]) {
            ++guess.alike;
        }
    }
}

// Cosine similarity of gram vectors (each gram weighted by its rarity), summed in the names'
// arrays, then the best few of each folder kept.
void NameIndex::addNeighbours(std::string_view stem, std::optional<std::uint32_t> leftOut,
                              Scratch& scratch) const {
    double squares = 0;
    struct Listed {
        std::size_t names = 0; // holding the gram
        std::uint64_t key = 0;
        std::uint32_t gram = 0;
    };
    std::vector<Listed> listed;
    std::vector<std::uint64_t> keys;
    NameFeatures::grams(stem, keys);
    for (const std::uint64_t key : keys) {
        const auto found = gramIds_.find(key);
        if (!found) {
            squares += squaredIdf(0);
            continue;
        }
        const std::uint32_t gram = *found;
        squares += gramWeights_[gram];
        const std::size_t names = gramStarts_[gram + 1] - gramStarts_[gram];
        if (names > 0) {
            listed.push_back({names, key, gram});
        }
    }
    if (listed.empty()) {
        return;
    }
    // Rarest first: they say the most, and the budget is spent on them. Ties go by the gram
    // itself, so that the sums never depend on the order the folders were listed in.
    std::sort(listed.begin(), listed.end(), [](const Listed& first, const Listed& second) {
        return std::tie(first.names, first.key) < std::tie(second.names, second.key);
    });
    std::size_t read = 0;
    for (const auto& [names, key, gram] : listed) {
        if (read + names > namesPerQuery && read > 0) {
            break;
        }
        read += names;
        for (std::size_t i = gramStarts_[gram]; i < gramStarts_[gram + 1]; ++i) {
            const std::uint32_t n = gramNames_[i];
            if (n == leftOut) {
                continue;
            }
            if (scratch.sums[n] == 0) {
                scratch.reachedNames.push_back(n);
            }
            scratch.sums[n] += gramWeights_[gram];
        }
    }
    const double queryNorm = std::sqrt(squares);
    for (const std::uint32_t n : scratch.reachedNames) {
        double& similarity = scratch.sums[n];
        similarity /= queryNorm * nameNorms_[n];
        Scratch::Folder& folder = scratch.reach(static_cast<int>(names_->target(n)));
        auto& nearest = folder.nearest;
        if (similarity > nearest[0] ||
            (similarity == nearest[0] && name(n) < name(folder.nearestName))) {
            folder.nearestName = n;
        }
        // Insert into the best few, highest first.
        for (std::size_t k = 0; k < neighbours; ++k) {
            if (similarity > nearest[k]) {
                std::copy_backward(nearest.begin() + static_cast<std::ptrdiff_t>(k),
                                   nearest.end() - 1, nearest.end());
                nearest[k] = similarity;
                break;
            }
        }
    }
}

// BM25 of the file's words against each folder's words; left-out names do not count.
void NameIndex::addWords(std::string_view stem, std::optional<std::uint32_t> leftOut,
                         Scratch& scratch) const {
    std::vector<std::string> terms = NameFeatures::terms(stem);
    if (terms.empty()) {
        return;
    }
    std::sort(terms.begin(), terms.end());
    std::vector<std::string> leftOutTerms;
    const std::uint32_t leftOutTarget = leftOut ? names_->target(*leftOut) : 0;
    if (leftOut) {
        leftOutTerms = NameFeatures::terms(stemOf(name(*leftOut)));
        std::sort(leftOutTerms.begin(), leftOutTerms.end());
    }
    struct Word {
        std::span<const TermPosting> postings; // the folders holding it
        double inQuery = 0;
        double idf = 0;
        std::uint32_t leftOut = 0; // how often the left-out name has it
    };
    std::vector<Word> words;
    const double folders = static_cast<double>(parents_.size());
    double ideal = 0;
    for (auto term = terms.begin(); term != terms.end();) {
        const auto end = std::upper_bound(term, terms.end(), *term);
        Word word;
        word.inQuery = static_cast<double>(end - term);
        const auto [leftLow, leftHigh] =
            std::equal_range(leftOutTerms.begin(), leftOutTerms.end(), *term);
        word.leftOut = static_cast<std::uint32_t>(leftHigh - leftLow);
        if (const auto found = termIds_.find(*term); found != termIds_.end()) {
            word.postings = std::span<const TermPosting>(termPostings_)
                                .subspan(termStarts_[found->second],
                                         termStarts_[found->second + 1] -
                                             termStarts_[found->second]);
        }
        double holding = static_cast<double>(word.postings.size());
        if (word.leftOut > 0) {
            const auto own = std::lower_bound(
                word.postings.begin(), word.postings.end(), leftOutTarget,
                [](const TermPosting& p, std::uint32_t t) { return p.target < t; });
            if (own != word.postings.end() && own->target == leftOutTarget &&
                own->count == word.leftOut) {
                holding -= 1;
            }
        }
        word.idf = std::log(1 + (folders - holding + 0.5) / (holding + 0.5));
        ideal += word.inQuery * word.idf;
        words.push_back(word);
        term = end;
    }
    // Rarest first, as far as the budget goes: a word most folders hold weighs next to nothing.
    std::stable_sort(words.begin(), words.end(), [](const Word& rarer, const Word& other) {
        return rarer.postings.size() < other.postings.size();
    });
    std::size_t read = 0;
    for (const Word& word : words) {
        if (read + word.postings.size() > foldersPerQuery && read > 0) {
            break;
        }
        read += word.postings.size();
        for (const TermPosting& posting : word.postings) {
            double count = posting.count;
            double norm = lengthNorms_[posting.target];
            if (word.leftOut > 0 && posting.target == leftOutTarget) {
                count -= word.leftOut;
                norm = lengthNorm(termTotals_[posting.target] -
                                  static_cast<double>(leftOutTerms.size()));
                if (count <= 0) {
                    continue;
                }
            }
            scratch.reach(static_cast<int>(posting.target)).words +=
                word.inQuery * word.idf * count * (saturation + 1) / (count + norm);
        }
    }
    // As a share of what a folder made of nothing but these words would score.
    const double most = (saturation + 1) * ideal;
    for (const int target : scratch.reachedFolders) {
        scratch.folders[static_cast<std::size_t>(target)].words /= most;
    }
}

void NameIndex::addFolderNames(std::string_view stem, Scratch& scratch) const {
    const auto mark = [&](const std::string& phrase) {
        if (const auto found = phraseTargets_.find(phrase); found != phraseTargets_.end()) {
            for (const int target : found->second) {
                scratch.reach(target).named = true;
            }
        }
    };
    const std::vector<std::string> words = NameFeatures::phraseWords(stem);
    for (std::size_t first = 0; first < words.size(); ++first) {
        std::string phrase;
        for (std::size_t last = first; last < words.size() && last - first < longestPhrase_;
             ++last) {
            phrase += last == first ? words[last] : " " + words[last];
            mark(phrase);
        }
    }
    // Without spaces a folder's name is found anywhere inside a word: "高等数学B" in
    // "高等数学B期末2015".
    for (const std::string& word : words) {
        if (isAscii(word)) {
            continue;
        }
        std::vector<std::size_t> starts; // of each code point, and the end
        for (std::size_t at = 0; at < word.size();) {
            starts.push_back(at);
            (void)nextCodePoint(word, at);
        }
        starts.push_back(word.size());
        for (std::size_t i = 0; i + 2 < starts.size(); ++i) {
            for (std::size_t j = i + 2; j < starts.size() && j - i <= longestUnspacedPhrase; ++j) {
                mark(word.substr(starts[i], starts[j] - starts[i]));
            }
        }
    }
}

// BM25's allowance for a folder with more words than most.
double NameIndex::lengthNorm(double terms) const {
    return saturation * (1 - lengthWeight + lengthWeight * terms / averageTerms_);
}

bool NameIndex::nested(int a, int b) const {
    const auto holds = [&](int outer, int inner) {
        for (int t = inner; t >= 0; t = parents_[static_cast<std::size_t>(t)]) {
            if (t == outer) {
                return true;
            }
        }
        return false;
    };
    return holds(a, b) || holds(b, a);
}

} // namespace vesk
