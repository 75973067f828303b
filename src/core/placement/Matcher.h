#pragma once

#include "core/items/Kind.h"
#include "core/model/Profile.h"
#include "core/placement/Targets.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
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
    std::string why;

    bool operator==(const Match&) const = default;
};

// Ranks candidate folders for a file by how much its name resembles the names already in
// each folder, the folder's own name and its vocabulary as a whole (TF-IDF over name tokens).
class Matcher {
public:
    Matcher(std::vector<Target> targets, const std::vector<std::vector<std::string>>& extraDocs,
            std::shared_ptr<const SentenceEmbedding> embedding = nullptr);

    // Matches scoring above 0.05, best first (stable among equal scores).
    [[nodiscard]] std::vector<Match> rank(const std::vector<std::string>& tokens, Kind kind) const;
    // At most k candidate target indices for the model to choose among.
    [[nodiscard]] std::vector<int> shortlist(const std::vector<std::string>& tokens, Kind kind,
                                             const Profiles& profiles, int k) const;

    [[nodiscard]] const std::vector<Target>& targets() const { return targets_; }

private:
    // Tokens are interned: ids below idf_.size() are document tokens, higher ids are tokens only
    // a query has (weight 1.0), numbered per call.
    struct Entry {
        int token = 0;
        double weight = 0;
    };
    using SparseVector = std::vector<Entry>; // sorted by token id, L2-normalised
    // A stored vector: a range of entries_.
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    class QueryIds;

    [[nodiscard]] std::vector<int> intern(const std::vector<std::string>& tokens);
    void weighTokens(const std::vector<std::vector<int>>& documents);
    void storeVectors(const std::vector<std::vector<int>>& documents);
    void buildIndex();
    [[nodiscard]] SparseVector vector(const std::vector<int>& ids) const;
    [[nodiscard]] SparseVector vector(const std::vector<std::string>& tokens, QueryIds& ids) const;
    [[nodiscard]] Span store(const SparseVector& vec);
    [[nodiscard]] std::span<const Entry> view(Span span) const;
    [[nodiscard]] static double cosine(std::span<const Entry> a, std::span<const Entry> b);
    [[nodiscard]] std::optional<std::vector<double>>
    embed(const std::vector<std::string>& words) const;
    [[nodiscard]] std::vector<int> candidates(Kind kind) const;

    std::vector<Target> targets_;
    std::unordered_map<std::string, int> tokenIds_;
    std::vector<double> idf_;               // by token id
    std::vector<Entry> entries_;            // storage of every vector below
    std::vector<std::size_t> firstSibling_; // per target, then one past the last sibling
    std::vector<Span> siblingVecs_;         // per target, per sibling name, in order
    std::vector<Span> nameVecs_;            // per target
    std::vector<Span> centroids_;           // per target
    // A sibling name holding a token, with the token's weight in that name's vector.
    struct Posting {
        int target = 0;
        int sibling = 0;
        double weight = 0;
    };
    std::vector<std::size_t> indexStart_; // per token id, its first slot in index_ (CSR)
    std::vector<Posting> index_;          // postings grouped by token id
    std::shared_ptr<const SentenceEmbedding> embedding_;
    std::vector<std::optional<std::vector<double>>> nameEmbeddings_;
};

} // namespace vesk
