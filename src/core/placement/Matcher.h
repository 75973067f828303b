#pragma once

#include "core/items/Kind.h"
#include "core/model/Profile.h"
#include "core/plan/Reason.h"
#include "core/targets/FolderNames.h"
#include "core/targets/Targets.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vesk {

// Maps a short English text to a fixed-length vector. None ships yet; the matcher then runs
// on its lexical part alone.
class SentenceEmbedding {
public:
    virtual ~SentenceEmbedding() = default;
    [[nodiscard]] virtual std::optional<std::vector<double>>
    vector(const std::string& text) const = 0;
};

struct Match {
    int target = 0;
    double score = 0;
    Reason why; // without the score, which the decision adds

    bool operator==(const Match&) const = default;
};

// Ranks candidate folders for a file by how much its name resembles the names already in
// each folder, the folder's own name and its vocabulary as a whole (TF-IDF over name tokens).
// Keeps what it needs of the targets, so they may go away after construction.
//
// Only the folders count towards how common a word is: the files waiting to be placed do not,
// so that one file's decision never depends on which others wait beside it. A word of a file's
// name that no folder has weighs as a word that one document holds, as the file's name itself
// would; any other word no folder has (read in a file, of a folder's profile) weighs 1.
class Matcher {
public:
    explicit Matcher(const std::vector<Target>& targets,
                     std::shared_ptr<const SentenceEmbedding> embedding = nullptr);
    // With the names of these targets already gathered, shared with whoever else reads them.
    Matcher(const std::vector<Target>& targets, std::shared_ptr<const FolderNames> names,
            std::shared_ptr<const SentenceEmbedding> embedding = nullptr);

    // The `count` best matches scoring above 0.05, best first; equal scores keep target order.
    // Only folders that share a token with the file are scored (every folder when the
    // sentence embedding can weigh in), so a query costs what its tokens reach. `tokens` are
    // those of the file's name, `read` the words read in the file.
    [[nodiscard]] std::vector<Match> best(const std::vector<std::string>& tokens, Kind kind,
                                          std::size_t count,
                                          const std::vector<std::string>& read = {}) const;
    class Profiled;
    // The folders as the model described them, their names with the purpose and keywords of
    // their profiles, made once for a run's profiles: describing every folder again for every
    // file would cost more than the rest of a plan.
    [[nodiscard]] Profiled profiled(const Profiles& profiles) const;
    // At most k candidate target indices for the model to choose among, best first; equal
    // scores keep target order.
    [[nodiscard]] std::vector<int> shortlist(const std::vector<std::string>& tokens, Kind kind,
                                             const Profiled& profiled, int k) const;

private:
    // Tokens are interned: ids below idf_.size() are document tokens, higher ids are tokens only
    // a query has, numbered per call.
    struct Entry {
        int token = 0;
        double weight = 0;
    };
    using SparseVector = std::vector<Entry>; // sorted by token id, L2-normalised
    class QueryIds;
    class Documents;
    class Sums;
    struct Scored;

    // What a query needs to know of a target.
    struct Folder {
        std::string name;        // the last path component
        std::vector<int> words;  // token ids of the name
        std::uint32_t kinds = 0; // one bit per kind of its files
        bool isProject = false;
        bool holdsTarget = false; // another target lies directly inside
    };
    // A sibling name holding a token, and how often. The token's weight in the name's vector
    // is worked out as it is read (siblingWeight): these are most of all postings, and a
    // weight would double their size.
    struct SiblingPosting {
        std::uint32_t sibling = 0; // across all targets, so in target order
        std::uint32_t count = 0;
    };
    // A folder's name holding a token, with the token's weight there.
    struct FolderPosting {
        int target = 0;
        double weight = 0;
    };
    // A folder's vocabulary holding a token, with the token's weight there and the most it
    // weighs in any one of the folder's sibling names (0 when only the folder's name has it).
    struct VocabularyPosting {
        int target = 0;
        double weight = 0;
        double siblingPeak = 0;
    };
    // Postings grouped by token id (compressed rows): start[t]..start[t + 1] are token t's,
    // in target and sibling order.
    template <class Posting> struct Index {
        std::vector<std::size_t> start;
        std::vector<Posting> postings;

        [[nodiscard]] std::span<const Posting> of(int token) const {
            return std::span<const Posting>(postings).subspan(start[token],
                                                              start[token + 1] - start[token]);
        }
    };

    void describe(const std::vector<Target>& targets);
    [[nodiscard]] Documents tokenize(const std::vector<Target>& targets);
    [[nodiscard]] std::vector<int> intern(const std::vector<std::string>& tokens);
    void weighTokens(const Documents& documents);
    void buildIndexes(const Documents& documents);
    void findSiblingPeaks();
    template <class Posting, class RowTokens, class MakePosting>
    [[nodiscard]] Index<Posting> index(std::size_t rows, RowTokens rowTokens,
                                       MakePosting makePosting) const;
    [[nodiscard]] double weight(int id, double unknown) const;
    void vector(std::span<const int> ids, SparseVector& into) const;
    // A file's name tokens, with the words read in it.
    [[nodiscard]] SparseVector vector(const std::vector<std::string>& tokens, QueryIds& ids,
                                      const std::vector<std::string>& read = {}) const;
    static void normalise(SparseVector& into);
    // Adds up each token's occurrences, in token order, and gives the vector's length.
    [[nodiscard]] static double groupedLength(SparseVector& into);
    [[nodiscard]] double siblingWeight(int token, const SiblingPosting& posting) const;
    [[nodiscard]] static double cosine(std::span<const Entry> a, std::span<const Entry> b);
    [[nodiscard]] std::optional<std::vector<double>>
    embed(const std::vector<std::string>& words) const;
    [[nodiscard]] Scored score(int target, const Sums& sums, Kind kind,
                               const std::optional<std::vector<double>>& queryEmbedding) const;
    [[nodiscard]] Reason why(const Scored& scored) const;
    // `sibling` across all targets, as Sums number them.
    [[nodiscard]] std::string_view siblingName(int target, int sibling) const;
    [[nodiscard]] std::vector<int> candidates(Kind kind) const;
    [[nodiscard]] bool penalised(int target, Kind kind) const;
    [[nodiscard]] std::vector<int> contenders(const Sums& sums, Kind kind, std::size_t count) const;

    std::vector<Folder> folders_;
    std::vector<std::size_t> firstSibling_; // per target, then one past the last sibling
    std::size_t mostSiblings_ = 0;          // of any one target
    std::size_t siblings_ = 0;              // of all targets
    std::vector<double> siblingNorms_;      // per sibling, its vector's length
    std::shared_ptr<const FolderNames> names_; // for the sibling a reason names
    std::unordered_map<std::string, int> tokenIds_;
    std::vector<double> idf_; // by token id
    double rareWeight_ = 1;   // of a token of a file's name that no document has
    Index<SiblingPosting> siblingIndex_;
    Index<FolderPosting> nameIndex_;
    Index<VocabularyPosting> centroidIndex_; // a folder's sibling and name tokens together
    std::shared_ptr<const SentenceEmbedding> embedding_;
    std::vector<std::optional<std::vector<double>>> nameEmbeddings_;
};

class Matcher::Profiled {
private:
    friend class Matcher;

    // Profile words no document has, numbered above the vocabulary.
    std::unordered_map<std::string, int> extraIds_;
    // By token id: the described folders holding the token, in target order, with its weight.
    std::vector<std::vector<FolderPosting>> postings_;
    // By target, when a sentence embedding can weigh in.
    std::vector<std::optional<std::vector<double>>> embeddings_;
};

} // namespace vesk
