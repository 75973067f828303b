#pragma once

#include "core/targets/FolderNames.h"
#include "core/targets/Targets.h"
#include "core/util/KeyIds.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vesk {

// Where the names already in a home say a file belongs. Every target brings the names of all
// the files in its subtree that no deeper target holds; a file's name is compared with each
// of them by characters (the nearest few names of each folder count), with each folder's words
// as a whole (BM25), and with the folder's own name. The lead of the best folder over the best
// one not nested with it is the confidence; a self-test on the home's own filed files tells
// from which lead the index is right often enough to decide.
//
// Built from the targets and their names alone and read-only afterwards, so one index serves
// any number of queries. Deterministic: the same targets and names give the same answers.
class NameIndex {
public:
    struct Guess {
        int target = 0;        // index into the targets
        double margin = 0;     // the lead over the best folder not nested with it
        double rivalLead = 0;  // the lead over the rival asked about; 0 when nested with it
        std::string nearest;   // the name there most like the file's; empty when none is
        int alike = 0;         // further names there nearly as like it
        bool folderNamed = false; // the file's name holds the folder's
    };

    // The most names of one folder worth reading: enough to know it, few enough to stay quick.
    static constexpr std::size_t namesPerFolder = 2000;

    // A target's names are its sibling names and, from `moreNames` (per target), those of the
    // other files in its subtree.
    explicit NameIndex(const std::vector<Target>& targets,
                       std::vector<std::vector<std::string>> moreNames = {});
    // With the names of these targets already gathered, shared with whoever else reads them.
    NameIndex(const std::vector<Target>& targets, std::shared_ptr<const FolderNames> names);

    // The folder a file's name points to, or nothing when its name shares nothing with any.
    [[nodiscard]] std::optional<Guess> guess(std::string_view fileName,
                                             std::optional<int> rival = std::nullopt) const;

    // The least margin at which the self-test's guesses were right at least 95 times in 100;
    // nothing when the home has too few filed files to tell, or no margin is that safe.
    [[nodiscard]] std::optional<double> threshold() const { return threshold_; }

private:
    struct Scratch;
    struct TermPosting {
        std::uint32_t target = 0;
        std::uint32_t count = 0;
    };

    void findParents(const std::vector<Target>& targets);
    void indexGrams();
    void indexTerms();
    void indexPhrases(const std::vector<Target>& targets);
    void calibrate();
    // A guess with one filed name left out, as if it were waiting.
    [[nodiscard]] std::optional<Guess> judge(std::string_view fileName,
                                             std::optional<std::uint32_t> leftOut,
                                             std::optional<int> rival) const;
    void describe(Guess& guess, const Scratch& scratch) const;
    void addNeighbours(std::string_view stem, std::optional<std::uint32_t> leftOut,
                       Scratch& scratch) const;
    void addWords(std::string_view stem, std::optional<std::uint32_t> leftOut,
                  Scratch& scratch) const;
    void addFolderNames(std::string_view stem, Scratch& scratch) const;
    [[nodiscard]] double squaredIdf(std::uint32_t holding) const;
    [[nodiscard]] double lengthNorm(double terms) const;
    [[nodiscard]] bool nested(int a, int b) const;
    [[nodiscard]] std::string_view name(std::uint32_t id) const;

    std::vector<int> parents_;            // per target: the nearest target it lies in, or -1
    std::shared_ptr<const FolderNames> names_;
    std::vector<double> nameNorms_;

    KeyIds gramIds_;
    std::vector<double> gramWeights_;     // per gram
    std::vector<std::size_t> gramStarts_; // the names holding a gram, when few enough do
    std::vector<std::uint32_t> gramNames_;

    std::unordered_map<std::string, std::uint32_t> termIds_;
    std::vector<std::size_t> termStarts_; // the folders holding a term, in target order
    std::vector<TermPosting> termPostings_;
    std::vector<double> termTotals_; // per target: how many terms its names have
    std::vector<double> lengthNorms_;
    double averageTerms_ = 0;

    std::unordered_map<std::string, std::vector<int>> phraseTargets_;
    std::size_t longestPhrase_ = 0; // in words

    std::optional<double> threshold_;
};

} // namespace vesk
