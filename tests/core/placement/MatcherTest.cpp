#include "core/placement/Matcher.h"

#include "support/ReasonPrinting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <random>

namespace vesk {
namespace {

// As many matches as there are.
constexpr std::size_t every = std::numeric_limits<std::size_t>::max();

Target folder(const std::string& path, std::vector<std::string> siblings = {},
              std::set<Kind> kinds = {}) {
    return Target{path, path.substr(3), false, std::move(siblings), std::move(kinds)};
}

// Answers only for the texts it was given, like a model that cannot embed everything.
class FakeEmbedding : public SentenceEmbedding {
public:
    explicit FakeEmbedding(std::map<std::string, std::vector<double>> vectors)
        : vectors_(std::move(vectors)) {}
    std::optional<std::vector<double>> vector(const std::string& text) const override {
        const auto found = vectors_.find(text);
        return found == vectors_.end() ? std::nullopt : std::optional(found->second);
    }

private:
    std::map<std::string, std::vector<double>> vectors_;
};

// Six documents ([invoice march], [receipt june], [beach holiday], [finance], [travel],
// [recipe]), every token in exactly one: idf = ln(7/2) + 1 = 2.25276 for each.
std::vector<Target> threeFolders() {
    return {folder("/h/Finance", {"invoice_march.pdf", "receipt_june.pdf"}, {Kind::pdf}),
            folder("/h/Travel", {"beach_holiday.jpg"}, {Kind::image}), folder("/h/Recipes")};
}

TEST(MatcherBest, ScoresExplainsAndPenalisesOtherKinds) {
    const Matcher matcher(threeFolders());
    // q: invoice 2.25276, april (no folder has it: as rare as a word of one document) 2.25276
    // -> 0.70711 each. [invoice march]: 0.70711 each -> 0.5. Centroid of five tokens: 0.31623.
    // A folder item is no file kind, so it is never penalised.
    for (const auto& [kind, factor] :
         {std::pair{Kind::pdf, 1.0}, {Kind::image, 0.75}, {Kind::folder, 1.0}}) {
        const std::vector<Match> matches = matcher.best({"invoice", "april"}, kind, every);
        ASSERT_EQ(matches.size(), 1U);
        EXPECT_EQ(matches[0].target, 0);
        EXPECT_NEAR(matches[0].score, 0.5 * factor, 1e-12) << factor;
        EXPECT_EQ(matches[0].why, (Reason{ReasonCode::likeFile, {"invoice_march.pdf"}}));
    }

    // An empty folder whose name equals the file's tokens: name and centroid both 1, the name
    // wins the tie, and no kind penalty without files.
    EXPECT_EQ(matcher.best({"recipe"}, Kind::pdf, every),
              (std::vector<Match>{{2, 1.0, Reason{ReasonCode::folderName, {}}}}));
    // Name 1.0 beats centroid [beach holiday travel] 0.57735; image folder, pdf file: x0.75.
    EXPECT_EQ(matcher.best({"travel"}, Kind::pdf, every),
              (std::vector<Match>{{1, 0.75, Reason{ReasonCode::folderName, {}}}}));
    // Each sibling 0.5, centroid 2 * 0.70711 * 0.44721 = 0.63246.
    const std::vector<Match> both = matcher.best({"invoice", "receipt"}, Kind::pdf, every);
    ASSERT_EQ(both.size(), 1U);
    EXPECT_NEAR(both[0].score, 2 / std::sqrt(10.0), 1e-12);
    EXPECT_EQ(both[0].why, (Reason{ReasonCode::folderWords, {}}));
}

TEST(MatcherBest, ReturnsNothingWithoutSharedTokens) {
    const Matcher matcher(threeFolders());
    EXPECT_TRUE(matcher.best({}, Kind::pdf, every).empty());
    EXPECT_TRUE(matcher.best({"unrelated", "words"}, Kind::pdf, every).empty());
}

TEST(MatcherBest, DropsAScoreOfExactlyTheFloor) {
    // One document, so idf = ln(2/2) + 1 = 1 and every weight is a count. Counts 1, k, 6, 1, 1
    // give alpha 1/sqrt(1 + k^2 + 39): exactly 1/20 = 0.05 for k = 19, 0.05249 for k = 18.
    const auto nameWith = [](int bravos) {
        std::string name = "/h/alpha";
        for (int n = 0; n < bravos; ++n) {
            name += " bravo";
        }
        return name + " charlie charlie charlie charlie charlie charlie delta echo";
    };
    const Matcher atFloor({folder(nameWith(19))});
    EXPECT_TRUE(atFloor.best({"alpha"}, Kind::pdf, every).empty());
    ASSERT_EQ(atFloor.best({"bravo"}, Kind::pdf, every).size(), 1U);
    const std::vector<Match> above =
        Matcher({folder(nameWith(18))}).best({"alpha"}, Kind::pdf, every);
    ASSERT_EQ(above.size(), 1U);
    EXPECT_NEAR(above[0].score, 1 / std::sqrt(363.0), 1e-12);
}

TEST(MatcherBest, AWordASiblingNameRepeatsCountsEveryTime) {
    // Documents [alpha alpha beta], [gamma], [zz]: idf 1.69315 for each word. The name's
    // vector is (2, 1) / sqrt(5); a file [alpha beta] meets it at 3 / sqrt(10), above the
    // folder's vocabulary (3 / sqrt(14)); the same words as the name, at 1.
    const Matcher matcher({folder("/h/Zz", {"alpha alpha beta.pdf", "gamma.pdf"}, {Kind::pdf})});
    for (const auto& [tokens, score] :
         {std::pair{std::vector<std::string>{"alpha", "beta"}, 3 / std::sqrt(10.0)},
          {{"alpha", "beta", "alpha"}, 1.0}}) {
        const std::vector<Match> matches = matcher.best(tokens, Kind::pdf, every);
        ASSERT_EQ(matches.size(), 1U);
        EXPECT_NEAR(matches[0].score, score, 1e-12) << tokens.size();
        EXPECT_EQ(matches[0].why, (Reason{ReasonCode::likeFile, {"alpha alpha beta.pdf"}}));
    }
}

TEST(MatcherBest, QuotesItsOwnSiblingNamesFromNamesSharedWithDeeperOnes) {
    // The shared names hold the first folder's deeper files between the two folders' own.
    const std::vector<Target> targets = {folder("/h/Aa", {"one.pdf"}, {Kind::pdf}),
                                         folder("/h/Bb", {"invoice march.pdf"}, {Kind::pdf})};
    const auto names = std::make_shared<const FolderNames>(
        targets, std::vector<std::vector<std::string>>{{"deep invoice.pdf", "two.pdf"}, {}});
    const std::vector<Match> matches = Matcher(targets, names).best({"invoice"}, Kind::pdf, 1);
    ASSERT_EQ(matches.size(), 1U);
    EXPECT_EQ(matches[0].target, 1);
    EXPECT_EQ(matches[0].why, (Reason{ReasonCode::likeFile, {"invoice march.pdf"}}));
}

TEST(MatcherBest, SemanticScoresReplaceWeakLexicalOnesAboveThreshold) {
    // Three empty folders; alpha is in all three names (idf 1), the other names' tokens in one
    // each (idf 1 + ln 2). Query alpha plus three tokens no folder has, each as rare as a word of
    // one document (1 + ln 2): q_alpha and the name's alpha are both 1/sqrt(1 + 3 (1 + ln 2)^2),
    // lexical 0.10416 for each folder.
    const std::vector<Target> targets{folder("/h/Alpha Bravo Charlie Delta"),
                                      folder("/h/Alpha Echo Foxtrot Golf"),
                                      folder("/h/Alpha Hotel India Juliet")};
    const std::vector<std::string> query{"alpha", "kilo", "lima", "mike"};
    const double lexical = 1 / (1 + 3 * std::pow(1 + std::log(2.0), 2));
    const Matcher matcher(
        targets,
        std::make_shared<FakeEmbedding>(std::map<std::string, std::vector<double>>{
            {"alpha kilo lima mike", {1, 0, 0, 0, 0}},
            {"alpha bravo charlie delta", {0.85, std::sqrt(1 - 0.85 * 0.85), 0, 0, 0}},
            {"alpha echo foxtrot golf", {6, 4, 2, 2, 2}}, // cosine 6/8 = 0.75 exactly
            {"alpha hotel india juliet", {0.8, 0.6, 0, 0, 0}},
        }));

    const std::vector<Match> matches = matcher.best(query, Kind::pdf, every);
    ASSERT_EQ(matches.size(), 3U);
    // 0.85 -> (0.85 - 0.75) * 2 = 0.2.
    EXPECT_EQ(matches[0].target, 0);
    EXPECT_NEAR(matches[0].score, 0.2, 1e-9);
    EXPECT_EQ(matches[0].why, (Reason{ReasonCode::closeInMeaning, {"0.85"}}));
    // 0.75 is not above the threshold: the lexical match stands.
    EXPECT_EQ(matches[1].target, 1);
    EXPECT_NEAR(matches[1].score, lexical, 1e-12);
    EXPECT_EQ(matches[1].why, (Reason{ReasonCode::folderName, {}}));
    // 0.8 -> 0.1 replaces the higher lexical 0.10416.
    EXPECT_EQ(matches[2].target, 2);
    EXPECT_NEAR(matches[2].score, 0.1, 1e-9);
    // A query the model cannot embed stays lexical.
    EXPECT_EQ(matcher.best({"alpha", "zulu"}, Kind::pdf, every),
              Matcher(targets).best({"alpha", "zulu"}, Kind::pdf, every));
}

TEST(MatcherBest, EqualScoresKeepTargetOrderWhateverReachesThemFirst) {
    // "alpha" is the older token (a sibling of target 1), so the query reaches target 1 before
    // target 0, whose name only is "beta". Both score q_alpha = q_beta = sqrt(0.5).
    const Matcher matcher({folder("/h/Beta"), folder("/h/Zz", {"alpha.pdf"}, {Kind::pdf})});
    const std::vector<Match> both{{0, std::sqrt(0.5), Reason{ReasonCode::folderName, {}}},
                                  {1, std::sqrt(0.5), Reason{ReasonCode::likeFile, {"alpha.pdf"}}}};
    EXPECT_EQ(matcher.best({"alpha", "beta"}, Kind::pdf, every), both);
    EXPECT_EQ(matcher.best({"alpha", "beta"}, Kind::pdf, 1),
              std::vector<Match>(both.begin(), both.begin() + 1));
    EXPECT_TRUE(matcher.best({"alpha", "beta"}, Kind::pdf, 0).empty());
}

TEST(MatcherBest, AFolderWhoseNamesCanOnlyTieTheLeaderIsStillRead) {
    // For "alpha": target 1's name and vocabulary score 1 outright. Target 0's vocabulary
    // scores less, and only its name "alpha.pdf" reaches 1, a tie it wins by coming first.
    // Target 2's one name holds alpha among two other words and cannot reach 1.
    const Matcher matcher({folder("/h/Zz", {"alpha.pdf", "beta.pdf"}, {Kind::pdf}),
                           folder("/h/Alpha"),
                           folder("/h/Yy", {"alpha beta gamma.pdf"}, {Kind::pdf})});
    const Match first{0, 1.0, Reason{ReasonCode::likeFile, {"alpha.pdf"}}};
    EXPECT_EQ(matcher.best({"alpha"}, Kind::pdf, 1), std::vector<Match>{first});
    const std::vector<Match> two = matcher.best({"alpha"}, Kind::pdf, 2);
    EXPECT_EQ(two, (std::vector<Match>{first, {1, 1.0, Reason{ReasonCode::folderName, {}}}}));
    const std::vector<Match> all = matcher.best({"alpha"}, Kind::pdf, every);
    ASSERT_EQ(all.size(), 3U);
    EXPECT_EQ(all[2].target, 2);
    EXPECT_LT(all[2].score, 1.0);
}

// Relates no two texts, yet makes the matcher look at every folder.
class NullEmbedding : public SentenceEmbedding {
public:
    std::optional<std::vector<double>> vector(const std::string&) const override {
        return std::vector<double>{0, 0};
    }
};

// Names drawn from a handful of words, so that equal scores are common.
class RandomNames {
public:
    explicit RandomNames(unsigned seed) : random_(seed) {}

    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    // One to three words; "zebra" is in no folder.
    std::vector<std::string> words() {
        static const std::vector<std::string> vocabulary{"invoice", "travel", "recipe",
                                                         "garden",  "taxes",  "zebra"};
        std::vector<std::string> picked(1 + below(3));
        for (std::string& word : picked) {
            word = vocabulary[below(vocabulary.size())];
        }
        return picked;
    }
    static std::string joined(const std::vector<std::string>& words, const std::string& between) {
        std::string text;
        for (const std::string& word : words) {
            text += (text.empty() ? "" : between) + word;
        }
        return text;
    }

    // Forty folders, a third of them with the same name words and files as an earlier one.
    std::vector<Target> folders() {
        std::vector<Target> targets;
        std::vector<std::string> names;
        for (int i = 0; i < 40; ++i) {
            // The number is no token, so a copy differs only by its path.
            const std::string prefix = "/h/" + std::to_string(i) + " ";
            if (i > 0 && below(3) == 0) {
                const std::size_t original = below(targets.size());
                Target copy = targets[original];
                copy.path = prefix + names[original];
                names.push_back(names[original]);
                targets.push_back(std::move(copy));
                continue;
            }
            names.push_back(joined(words(), " "));
            Target target = folder(prefix + names.back());
            for (std::size_t n = below(4); n > 0; --n) {
                const bool image = below(2) == 0;
                target.siblingNames.push_back(joined(words(), "_") + (image ? ".jpg" : ".pdf"));
                target.kinds.insert(image ? Kind::image : Kind::pdf);
            }
            targets.push_back(std::move(target));
        }
        return targets;
    }

private:
    std::mt19937 random_;
};

TEST(MatcherBest, LeadersHeadTheFullRankingAndUnreachedFoldersScoreNothing) {
    RandomNames random(15);
    const std::array kinds{Kind::pdf, Kind::image, Kind::audio, Kind::folder};
    for (int home = 0; home < 20; ++home) {
        const std::vector<Target> targets = random.folders();
        const Matcher matcher(targets);
        const Matcher scanningAll(targets, std::make_shared<NullEmbedding>());
        for (int query = 0; query < 20; ++query) {
            const std::vector<std::string> tokens = random.words();
            const Kind kind = kinds[random.below(kinds.size())];
            const std::vector<Match> all = matcher.best(tokens, kind, every);
            EXPECT_EQ(all, scanningAll.best(tokens, kind, every));
            EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const Match& a, const Match& b) {
                return a.score > b.score || (a.score == b.score && a.target < b.target);
            }));
            for (const std::size_t count : {1U, 2U, 3U, 7U}) {
                const std::size_t head = std::min(count, all.size());
                EXPECT_EQ(matcher.best(tokens, kind, count),
                          std::vector<Match>(all.begin(), all.begin() + head));
            }
        }
    }
}

// 0 project, 1 pdf folder, 2 image folder, 3 empty folder holding 4, 4 empty leaf,
// 5 mixed folder, 6 empty folder with only a grandchild target, 7 that grandchild.
std::vector<Target> shortlistFolders() {
    return {Target{"/h/Code/vesk", "Code/vesk", true, {}, {}},
            folder("/h/Papers", {"thesis.pdf"}, {Kind::pdf}),
            folder("/h/Photos", {"beach.jpg"}, {Kind::image}),
            folder("/h/Archive"),
            folder("/h/Archive/Old"),
            folder("/h/Taxes", {"return.pdf", "photo.jpg"}, {Kind::pdf, Kind::image}),
            folder("/h/Deep"),
            folder("/h/Deep/x/Garden")};
}

TEST(MatcherShortlist, OffersMatchingCandidatesInTargetOrderWhenKAllows) {
    const Matcher matcher(shortlistFolders());
    const auto plain = matcher.profiled({});
    EXPECT_EQ(matcher.shortlist({"garden"}, Kind::pdf, plain, 5), (std::vector<int>{1, 4, 5, 6, 7}));
    EXPECT_EQ(matcher.shortlist({"garden"}, Kind::image, plain, 20),
              (std::vector<int>{2, 4, 5, 6, 7}));
    EXPECT_EQ(matcher.shortlist({"garden"}, Kind::audio, plain, 20), (std::vector<int>{4, 6, 7}));
    EXPECT_TRUE(matcher.shortlist({"garden"}, Kind::pdf, plain, 0).empty());
}

TEST(MatcherShortlist, RanksByFolderNameProfileAndEmbedding) {
    // 12 documents; garden only in target 7's name: idf 1 + ln(13/2). plant is in no document,
    // so the file's plant weighs as a word of one document, the same: q_garden = q_plant =
    // 0.707. 7 [garden] -> 0.707. 4 [old garden plan plant list plant] meets both words and
    // leads. The rest score 0 and keep target order.
    const Profiles profiles{{4, {"Garden plans and plant lists", {"plants"}}}};
    const Matcher matcher(shortlistFolders());
    EXPECT_EQ(matcher.shortlist({"garden", "plant"}, Kind::pdf, matcher.profiled(profiles), 3),
              (std::vector<int>{4, 7, 1}));

    // The described text is the folder name and the (missing) purpose joined by a space.
    const auto embedding = std::make_shared<FakeEmbedding>(
        std::map<std::string, std::vector<double>>{{"garden plant", {1, 0}}, {"Taxes ", {1, 0.1}}});
    const Matcher embedded(shortlistFolders(), embedding);
    EXPECT_EQ(embedded.shortlist({"garden", "plant"}, Kind::pdf, embedded.profiled({}), 2),
              (std::vector<int>{5, 7}));
}

} // namespace
} // namespace vesk
