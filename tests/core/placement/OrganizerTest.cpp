#include "core/placement/Organizer.h"
#include "core/util/DecimalText.h"
#include "support/FakeModelServer.h"
#include "support/ReasonPrinting.h"
#include "support/SuggestionFor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <set>
#include <stop_token>
#include <tuple>

namespace vesk {
namespace {

// These runs are about the layers before the model.
const ModelEndpoint modelOff{.url = "off", .model = ""};

using test::writeFile;

class OrganizerTest : public ::testing::Test {
protected:
    OrganizerTest() {
        writeFile(home / "Documents/Invoices/Invoice Telenor March.pdf");
        writeFile(home / "Documents/Invoices/Invoice Telenor April.pdf");
        writeFile(home / "Documents/Recipes/Recipe lasagne.txt");
        writeFile(home / "Documents/Recipes/Recipe carbonara.txt");
        test::makeDir(home / "Documents/Work/weather-app/.git");
        writeFile(home / "Documents/Work/weather-app/package.json");
        test::makeDir(home / "Downloads");
    }

    OrganizerSettings settings() const {
        OrganizerSettings s(home);
        s.minAgeDays = 0;
        s.useLLM = false;
        return s;
    }

    void download(const std::string& name, std::string_view contents = "x") {
        writeFile(home / "Downloads" / name, contents);
    }

    static const Suggestion& find(const Plan& plan, const std::string& name) {
        return test::suggestionFor(plan, name);
    }

    test::TempDir tmp;
    const std::filesystem::path home = tmp.path();
};

TEST_F(OrganizerTest, EmptySourceStillReportsOnePartialPlan) {
    int partials = 0;
    const Plan plan = Organizer(settings(), modelOff).run({}, [&](const Plan& partial) {
        ++partials;
        EXPECT_FALSE(partial.isFinal);
        EXPECT_TRUE(partial.suggestions.empty());
        EXPECT_FALSE(partial.targets.empty());
    });
    EXPECT_EQ(partials, 1);
    EXPECT_TRUE(plan.isFinal);
    EXPECT_TRUE(plan.suggestions.empty());
}

TEST_F(OrganizerTest, ScanningShowsHowManyFilesAndFoldersItHasRead) {
    constexpr int waiting = 200;
    for (int n = 0; n < waiting; ++n) {
        download("waiting " + std::to_string(n) + ".txt");
    }
    std::vector<OrganizerProgress> all;
    (void)Organizer(settings(), modelOff).run([&](const OrganizerProgress& p) {
        all.push_back(p);
    });

    using Stage = OrganizerProgress::Stage;
    const auto comparing = std::find_if(all.begin(), all.end(), [](const OrganizerProgress& p) {
        return p.stage != Stage::scanning;
    });
    const std::vector<OrganizerProgress> scanning(all.begin(), comparing);
    ASSERT_GE(scanning.size(), 3U); // the start, movement on the way, the final counts
    EXPECT_EQ(scanning.front(), OrganizerProgress{Stage::scanning});
    // Documents, Invoices, Recipes, Work and the project inside Work.
    constexpr int folders = 5;
    EXPECT_EQ(scanning.back(), (OrganizerProgress{Stage::scanning, 0, 0, waiting, folders}));
    for (std::size_t n = 1; n < scanning.size(); ++n) {
        const OrganizerProgress& before = scanning[n - 1];
        const OrganizerProgress& now = scanning[n];
        EXPECT_GE(now.filesRead, before.filesRead);
        EXPECT_GE(now.foldersRead, before.foldersRead);
        // The waiting files are all read before the walk for destinations starts.
        EXPECT_TRUE(now.foldersRead == 0 || now.filesRead == waiting);
    }
    // Throttled: not one report per entry.
    EXPECT_LE(scanning.size(), 2U + (waiting + folders) / 16);

    // Then the comparison of every file, from the first, moving forward, and never again the
    // scan.
    ASSERT_NE(comparing, all.end());
    EXPECT_EQ(*comparing, (OrganizerProgress{Stage::comparing, 0, waiting}));
    for (auto now = comparing + 1; now != all.end(); ++now) {
        EXPECT_EQ(now->stage, Stage::comparing);
        EXPECT_EQ(now->total, waiting);
        EXPECT_GT(now->done, (now - 1)->done);
        EXPECT_LT(now->done, waiting);
    }
    EXPECT_GE(all.end() - comparing, 2); // movement on the way, not just the start
    EXPECT_LE(all.end() - comparing, 1 + waiting / 16);
}

TEST_F(OrganizerTest, ItemsAreSortedByNameAsAFileManagerWould) {
    for (const char* name : {"b10.txt", "B2.txt", "a.txt", ".hidden"}) {
        download(name);
    }
    std::vector<std::string> names;
    for (const auto& suggestion : Organizer(settings(), modelOff).run().suggestions) {
        names.push_back(suggestion.item.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "B2.txt", "b10.txt"}));
}

TEST_F(OrganizerTest, FilesIntoTheHomesOwnAndSyncFoldersNeverIntoProjectsOrHiddenFolders) {
    for (const char* title : {"The Terror", "Ilium", "Drood"}) {
        writeFile(home / "Books/Dan Simmons" / ("Dan Simmons - " + std::string(title) + ".epub"));
    }
    writeFile(home / "Nextcloud/Taxes/Tax return 2022.pdf");
    writeFile(home / "Nextcloud/Taxes/Tax return 2023.pdf");
    test::makeDir(home / "Nextcloud/Archive/2020/Scans/Old"); // three levels, as in Documents
    test::makeDir(home / "Projects/app/.git");
    writeFile(home / "Projects/app/docs/Release notes 1.0.txt");
    writeFile(home / "Projects/app/docs/Release notes 1.1.txt");
    // Names that would fit best, in folders that are never destinations.
    for (const char* folder : {".hidden/Dan Simmons", "snap/Dan Simmons"}) {
        for (const char* title : {"Hyperion Cantos", "Endymion"}) {
            writeFile(home / folder / ("Dan Simmons - " + std::string(title) + ".epub"));
        }
    }
    download("Dan Simmons - Hyperion.epub");
    download("Tax return 2024.pdf");
    download("Release notes 1.2.txt");

    auto s = settings();
    const Plan plan = Organizer(s, modelOff).run();
    EXPECT_EQ(find(plan, "Dan Simmons - Hyperion.epub").action, Action::move("Books/Dan Simmons"));
    EXPECT_EQ(find(plan, "Tax return 2024.pdf").action, Action::move("Nextcloud/Taxes"));
    EXPECT_NE(find(plan, "Release notes 1.2.txt").action.path.rfind("Projects/app/", 0), 0U);
    std::set<std::string> labels;
    for (const auto& target : plan.targets) {
        labels.insert(target.label);
    }
    EXPECT_TRUE(labels.contains("Nextcloud/Archive/2020/Scans"));
    EXPECT_FALSE(labels.contains("Nextcloud/Archive/2020/Scans/Old"));
    EXPECT_TRUE(labels.contains("Projects/app")); // offered, never entered
    for (const auto& label : labels) {
        EXPECT_FALSE(label.starts_with(".") || label.starts_with("snap/") ||
                     label.starts_with("Projects/app/"))
            << label;
    }

    // The folders the person chose replace the discovered ones.
    s.targetRoots = {home / "Nextcloud"};
    const Plan chosen = Organizer(s, modelOff).run();
    EXPECT_EQ(find(chosen, "Tax return 2024.pdf").action, Action::move("Nextcloud/Taxes"));
    EXPECT_NE(find(chosen, "Dan Simmons - Hyperion.epub").action,
              Action::move("Books/Dan Simmons"));
    for (const auto& target : chosen.targets) {
        EXPECT_TRUE(target.label.starts_with("Nextcloud/")) << target.label;
    }
}

TEST_F(OrganizerTest, ASourceFolderIsNeverADestination) {
    download("Invoice Telenor May.pdf");
    auto s = settings();
    s.sources = {home / "Downloads", home / "Documents/Invoices/"};
    const Plan plan = Organizer(s, modelOff).run();
    for (const auto& target : plan.targets) {
        EXPECT_NE(target.label, "Documents/Invoices");
    }
    for (const auto& suggestion : plan.suggestions) {
        EXPECT_NE(suggestion.action, Action::move("Documents/Invoices")) << suggestion.item.name;
    }
}

TEST_F(OrganizerTest, ASourceListedTwiceIsOneAndAFileAlreadyWhereItBelongsStays) {
    download("report.pdf");
    const std::string screenshot = "Screenshot 2024-05-01 at 10.00.00.png";
    writeFile(home / "Pictures/photo.jpg");
    writeFile(home / "Pictures/Screenshots" / screenshot);
    auto s = settings();
    s.sources = {home / "Downloads", home / "Downloads/", home / "Pictures",
                 home / "Pictures/Screenshots"};
    const Plan plan = Organizer(s, modelOff).run();

    std::vector<std::string> names;
    for (const auto& suggestion : plan.suggestions) {
        names.push_back(suggestion.item.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"photo.jpg", "report.pdf", screenshot, "Screenshots"}));
    for (const std::string& name : {std::string("photo.jpg"), screenshot}) {
        EXPECT_EQ(find(plan, name).action, Action::keep()) << name;
        EXPECT_TRUE(Organizer::isInPlace(find(plan, name))) << name;
    }
}

TEST_F(OrganizerTest, AScoreEqualToTheThresholdDecides) {
    download("Invoice Telenor May.pdf");
    const Suggestion first = find(Organizer(settings(), modelOff).run(), "Invoice Telenor May.pdf");
    ASSERT_EQ(first.layer, Layer::match);
    ASSERT_TRUE(first.score);
    EXPECT_EQ(first.action, Action::move("Documents/Invoices"));
    // The reason names the deciding score as the plan holds it.
    EXPECT_EQ(first.reason.arguments.back(), ReasonArgument(decimalText(*first.score, 2)));

    auto s = settings();
    s.threshold = *first.score;
    EXPECT_EQ(find(Organizer(s, modelOff).run(), "Invoice Telenor May.pdf").layer, Layer::match);

    s.threshold = std::nextafter(*first.score, 2.0);
    const Suggestion below = find(Organizer(s, modelOff).run(), "Invoice Telenor May.pdf");
    EXPECT_EQ(below.action, Action::ask());
    EXPECT_EQ(below.layer, Layer::none);
    EXPECT_EQ(below.reason, (Reason{ReasonCode::notSimilarClosest, {"Documents/Invoices"}}));
}

TEST_F(OrganizerTest, CloseScoresDecideOnlyWhenOneFolderContainsTheOther) {
    for (const char* file : {"Alpha/Garden plan spring.txt", "Beta/Garden plan spring.txt",
                             "Club/Chess tournament.txt", "Club/2024/Chess tournament.txt",
                             "Band/Setlist summer.txt", "Bandwagon/Setlist summer.txt"}) {
        writeFile(home / "Documents" / file);
    }
    download("Garden plan spring.txt");
    download("Chess tournament.txt");
    download("Setlist summer.txt");

    const Plan plan = Organizer(settings(), modelOff).run();
    EXPECT_EQ(find(plan, "Garden plan spring.txt").action, Action::ask());
    EXPECT_EQ(find(plan, "Chess tournament.txt").layer, Layer::match);
    // A plain text prefix counts too.
    EXPECT_EQ(find(plan, "Setlist summer.txt").layer, Layer::match);

    // Decided or not, the file keeps the ranking's leaders, best first, to offer the person.
    const auto& garden = find(plan, "Garden plan spring.txt").candidates;
    ASSERT_GE(garden.size(), 2U);
    EXPECT_EQ((std::set{plan.targets[garden[0].target].label, plan.targets[garden[1].target].label}),
              (std::set<std::string>{"Documents/Alpha", "Documents/Beta"}));
    const Suggestion& chess = find(plan, "Chess tournament.txt");
    ASSERT_FALSE(chess.candidates.empty());
    EXPECT_EQ(chess.candidates[0].target, chess.target);
    EXPECT_EQ(chess.candidates[0].score, chess.score);
    EXPECT_TRUE(std::is_sorted(chess.candidates.begin(), chess.candidates.end(),
                               [](const Candidate& a, const Candidate& b) { return a.score > b.score; }));
}

TEST_F(OrganizerTest, UndecidedFilesAskForCodeProjectsOrFallBackToTheirKind) {
    writeFile(home / ".config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n");
    // A kind's folder is a destination only when the home has it.
    test::makeDir(home / "Pictures");
    const std::vector<std::tuple<std::string, Action, Layer, Reason>> cases = {
        {"weather app.md",
         Action::ask(),
         Layer::none,
         {ReasonCode::codeProject, {"Documents/Work/weather-app"}}},
        {"IMG_2041.JPG",
         Action::move("Pictures"),
         Layer::typeDefault,
         {ReasonCode::typeDefault, {}}},
        {"clip.mp4", Action::ask(), Layer::none, {ReasonCode::notSimilar, {}}},
        {"IMG_0001.bin", Action::ask(), Layer::none, {ReasonCode::nameSaysNothing, {}}},
        {"qqzz.bin", Action::ask(), Layer::none, {ReasonCode::notSimilar, {}}},
    };
    for (const auto& c : cases) {
        download(std::get<0>(c));
    }
    const Plan plan = Organizer(settings(), modelOff).run();
    for (const auto& [name, action, layer, reason] : cases) {
        const Suggestion& suggestion = find(plan, name);
        EXPECT_EQ(suggestion.action, action) << name;
        EXPECT_EQ(suggestion.layer, layer) << name;
        EXPECT_EQ(suggestion.reason, reason) << name;
        EXPECT_FALSE(suggestion.target) << name;
    }
}

// A home big enough for the name index to test itself, with old exams kept below the depth
// that similarity reads, and a folder whose one name shares the most words with new ones.
TEST_F(OrganizerTest, NamesDecideWhatSimilarityLeftOpenAndQuestionWhatTheyContradict) {
    for (const char* month : {"January", "February", "May", "June", "July", "August",
                              "September", "October", "November", "December"}) {
        writeFile(home / "Documents/Invoices" / ("Invoice Telenor " + std::string(month) + ".pdf"));
    }
    for (const char* dish : {"moussaka", "pancakes", "risotto", "goulash", "paella", "tiramisu"}) {
        writeFile(home / "Documents/Recipes" / ("Recipe " + std::string(dish) + ".txt"));
    }
    for (const char* name : {"Car insurance policy 2021.pdf", "Car insurance policy 2022.pdf",
                             "Volvo service invoice.pdf", "Volvo V70 owner manual.pdf"}) {
        writeFile(home / "Documents/Cars" / name);
    }
    for (int part = 1; part <= 6; ++part) {
        writeFile(home / "Documents/School/Math/Old/2019" /
                  ("Linear algebra exam 2019 part " + std::to_string(part) + ".pdf"));
    }
    writeFile(home / "Documents/Misc/Linear algebra.pdf");
    download("Linear algebra exam 2020 part 1.pdf");
    download("Probability exam 2019 part 3.pdf");
    download("Invoice Telenor March.pdf");

    auto plain = settings();
    plain.useNameIndex = false;
    const Plan before = Organizer(plain, modelOff).run();
    EXPECT_EQ(find(before, "Linear algebra exam 2020 part 1.pdf").action,
              Action::move("Documents/Misc"));
    EXPECT_EQ(find(before, "Probability exam 2019 part 3.pdf").action, Action::ask());

    const Plan plan = Organizer(settings(), modelOff).run();
    const Suggestion& questioned = find(plan, "Linear algebra exam 2020 part 1.pdf");
    EXPECT_EQ(questioned.action, Action::ask());
    EXPECT_EQ(questioned.layer, Layer::none);
    EXPECT_FALSE(questioned.target);
    EXPECT_EQ(questioned.reason, (Reason{ReasonCode::namesDisagree,
                                         {"Documents/Misc", "Documents/School/Math/Old"}}));

    const Suggestion& placed = find(plan, "Probability exam 2019 part 3.pdf");
    EXPECT_EQ(placed.action, Action::move("Documents/School/Math/Old"));
    EXPECT_EQ(placed.layer, Layer::names);
    EXPECT_TRUE(placed.target);
    EXPECT_FALSE(placed.score);
    EXPECT_EQ(placed.reason, (Reason{ReasonCode::likeFileHereAndMore,
                                     {"Linear algebra exam 2019 part 3.pdf", "5"}}));

    // Where the names agree, similarity's move stands.
    const Suggestion& agreed = find(plan, "Invoice Telenor March.pdf");
    EXPECT_EQ(agreed.action, Action::move("Documents/Invoices"));
    EXPECT_EQ(agreed.layer, Layer::match);

    // The same home gives the same plan.
    EXPECT_EQ(Organizer(settings(), modelOff).run(), plan);
}

TEST_F(OrganizerTest, ContentsAreReadOnlyWhenAllowed) {
    download("Sunday scan.txt", "Recipe for lasagne. Recipe lasagne sheets, recipe tomato sauce.");
    const Plan closed = Organizer(settings(), modelOff).run();
    EXPECT_EQ(closed.contentReads, 0);
    EXPECT_EQ(find(closed, "Sunday scan.txt").action, Action::ask());

    auto s = settings();
    s.allowContent = true;
    const Plan open = Organizer(s, modelOff).run();
    EXPECT_EQ(open.contentReads, 1);
    EXPECT_EQ(find(open, "Sunday scan.txt").layer, Layer::content);
    EXPECT_EQ(find(open, "Sunday scan.txt").action, Action::move("Documents/Recipes"));
}

TEST_F(OrganizerTest, AModelTurnedOffIsNeitherAskedNorReported) {
    download("Grandma secret sauce.txt");
    auto s = settings();
    const Plan off = Organizer(s, ModelEndpoint{"off", {}}).run();
    EXPECT_FALSE(off.llmUnavailable);
    EXPECT_EQ(off.llmCalls, 0);

    s.useLLM = true;
    const Plan unavailable = Organizer(s, ModelEndpoint{"off", {}}).run();
    EXPECT_TRUE(unavailable.llmUnavailable);
    EXPECT_EQ(unavailable.llmCalls, 0);
}

// A model service that describes every folder, files everything under `placeIn` and answers
// reviews with `reviewAnswer` (by default the category of Documents/Recipes, which approves).
// Requests whose schema is named in `failing` get HTTP 500; the placement numbered `stopAt`
// stops the run and never gets an answer.
class ModelOrganizerTest : public OrganizerTest {
protected:
    ModelOrganizerTest() {
        server.setHandler([this](const nlohmann::ordered_json& request) {
            const auto& schema = request["response_format"]["json_schema"];
            const std::string root = schema["name"];
            ++requests[root];
            if (failing.contains(root)) {
                return test::FakeModelServer::status(500);
            }
            if (root == "Profiles") {
                auto folders = nlohmann::ordered_json::array();
                for (const auto& label : schema["schema"]["properties"]["folders"]["items"]
                                               ["properties"]["path"]["enum"]) {
                    folders.push_back({{"path", label},
                                       {"purpose", "Folder " + label.get<std::string>()},
                                       {"keywords", {"things"}}});
                }
                return test::FakeModelServer::answer({{"folders", folders}});
            }
            if (root == "Placement") {
                auto reply = test::FakeModelServer::answer(
                    {{"what", "a family recipe"}, {"folder", placeIn}, {"confidence", confidence}});
                if (requests[root] == stopAt) {
                    stop.request_stop();
                    reply.delay = std::chrono::minutes(1);
                }
                return reply;
            }
            return test::FakeModelServer::answer(
                {{"english", "x"}, {"what", "a family recipe"}, {"category", reviewAnswer}});
        });
    }

    OrganizerSettings modelSettings() const {
        auto s = settings();
        s.useLLM = true;
        s.partialInterval = std::chrono::hours(1); // only the rules' partial plan
        s.profileCache = home / ".vesk-app/folder-profiles.json";
        s.modelAnswers = home / ".vesk-app/model-answers.json";
        return s;
    }
    Organizer organizer(const OrganizerSettings& s, int parallel = 4) const {
        ModelEndpoint endpoint;
        endpoint.url = server.baseUrl();
        endpoint.parallel = parallel;
        return Organizer(s, endpoint);
    }
    Organizer organizer() const { return organizer(modelSettings()); }

    test::FakeModelServer server;
    std::map<std::string, int> requests;
    std::set<std::string> failing;
    std::string placeIn = "Documents/Recipes";
    std::string confidence = "high";
    std::string reviewAnswer = "Folder Documents/Recipes (Recipes)";
    std::stop_source stop;
    int stopAt = 0;
};

TEST_F(ModelOrganizerTest, PlacesUndecidedFilesAndRemembersTheAnswers) {
    download("Grandma secret sauce.txt");
    download("IMG_0001.bin"); // no tokens: never sent
    Organizer organizer = this->organizer();
    std::vector<OrganizerProgress> progress;
    const Plan plan = organizer.run([&](const OrganizerProgress& p) { progress.push_back(p); });

    const Suggestion& placed = find(plan, "Grandma secret sauce.txt");
    EXPECT_EQ(placed.layer, Layer::llm);
    EXPECT_EQ(placed.action, Action::move("Documents/Recipes"));
    EXPECT_EQ(placed.reason, (Reason{ReasonCode::modelPlacement, {"a family recipe", "high"}}));
    EXPECT_EQ(requests["Placement"], 1);
    EXPECT_EQ(requests["Review"], 1);
    EXPECT_EQ(plan.qaApproved, 1);
    EXPECT_EQ(plan.llmCalls, requests["Profiles"] + 2);
    EXPECT_EQ(plan.profiledFolders, 3); // Invoices, Recipes, Work: never the project inside Work
    // The model's requests are counted across the run: done of those known to be needed.
    using Stage = OrganizerProgress::Stage;
    EXPECT_EQ(progress, (std::vector<OrganizerProgress>{{Stage::scanning},
                                                        {Stage::comparing, 0, 2},
                                                        {Stage::understandingFolders, 0, 0},
                                                        {Stage::understandingFolders, 0, 1},
                                                        {Stage::understandingFolders, 1, 1},
                                                        {Stage::placing, 1, 2},
                                                        {Stage::placing, 2, 2},
                                                        {Stage::reviewing, 2, 3},
                                                        {Stage::reviewing, 3, 3}}));

    // Unchanged files in unchanged folders are not sent again, neither in the next run nor by
    // the next organizer; the profile cache answers for the folders, and neither store is
    // written again.
    requests.clear();
    const auto written = [&] {
        return std::pair{std::filesystem::last_write_time(*modelSettings().profileCache),
                         std::filesystem::last_write_time(*modelSettings().modelAnswers)};
    };
    const auto before = written();
    EXPECT_EQ(find(organizer.run(), "Grandma secret sauce.txt"), placed);
    EXPECT_EQ(find(this->organizer().run(), "Grandma secret sauce.txt"), placed);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(written(), before);

    // A folder the file was not offered (it holds no text files) changes no question of it;
    // renaming the one it was offered does.
    std::filesystem::rename(home / "Documents/Invoices", home / "Documents/Bills");
    (void)organizer.run();
    EXPECT_EQ(requests, (std::map<std::string, int>{{"Profiles", 1}}));
    std::filesystem::rename(home / "Documents/Recipes", home / "Documents/Cooking");
    placeIn = "Documents/Cooking";
    reviewAnswer = "Folder Documents/Cooking (Cooking)";
    EXPECT_EQ(find(organizer.run(), "Grandma secret sauce.txt").action,
              Action::move("Documents/Cooking"));
    EXPECT_EQ(requests["Placement"], 1);
}

TEST_F(ModelOrganizerTest, OneOrFourRequestsInFlightGiveTheSamePlan) {
    for (const char* name : {"Grandma secret sauce.txt", "Nonna meatballs.txt", "Pasta notes.txt",
                             "Telenor bill.pdf", "bank letter.pdf", "Old sauce.txt",
                             "Tiramisu.txt", "Pesto.txt"}) {
        download(name);
    }
    // Answers come back in another order than asked, and differ from file to file.
    server.setHandler([](const nlohmann::ordered_json& request) {
        const auto& schema = request["response_format"]["json_schema"];
        const std::string prompt = request["messages"][1]["content"];
        const auto hash = std::hash<std::string>{}(prompt.substr(0, prompt.find('\n')));
        auto reply = test::FakeModelServer::status(500);
        if (schema["name"] == "Profiles") {
            auto folders = nlohmann::ordered_json::array();
            for (const auto& label :
                 schema["schema"]["properties"]["folders"]["items"]["properties"]["path"]["enum"]) {
                folders.push_back({{"path", label}, {"purpose", label}, {"keywords", {"x"}}});
            }
            reply = test::FakeModelServer::answer({{"folders", folders}});
        } else if (schema["name"] == "Placement") {
            const auto& choices = schema["schema"]["properties"]["folder"]["enum"];
            reply = test::FakeModelServer::answer({{"what", "thing " + std::to_string(hash % 97)},
                                                   {"folder", choices[hash % choices.size()]},
                                                   {"confidence", "high"}});
        } else if (hash % 3 != 0) {
            const auto& choices = schema["schema"]["properties"]["category"]["enum"];
            reply = test::FakeModelServer::answer(
                {{"english", "x"}, {"what", "a thing"}, {"category", choices[hash % choices.size()]}});
        }
        reply.delay = std::chrono::milliseconds(20 + hash % 40);
        return reply;
    });
    std::vector<Plan> plans;
    for (const int parallel : {1, 4}) {
        std::filesystem::remove_all(home / ".vesk-app");
        Plan plan = organizer(modelSettings(), parallel).run();
        EXPECT_GT(plan.llmCalls, 8) << parallel;
        plan.llmSeconds = 0;
        plans.push_back(std::move(plan));
    }
    EXPECT_EQ(plans[0], plans[1]);
    EXPECT_GT(plans[0].qaRejected + plans[0].qaFailed, 0); // the review did change the plan
    EXPECT_GT(server.mostInFlight(), 1);
    EXPECT_LE(server.mostInFlight(), 4);
    EXPECT_LE(server.connections(), 1 + 4 + 1 + 4); // a probe and a pool per run
}

TEST_F(ModelOrganizerTest, DecisionsOfTheModelAreHandedOnAsTheyArrive) {
    for (const char* name : {"Grandma secret sauce.txt", "Nonna meatballs.txt", "Pesto.txt"}) {
        download(name);
    }
    reviewAnswer = "something else";
    auto s = modelSettings();
    s.partialInterval = std::chrono::milliseconds(0);
    std::vector<Plan> partials;
    const Plan plan =
        organizer(s).run({}, [&](const Plan& partial) { partials.push_back(partial); });

    const auto byModel = [](const Plan& shown) {
        return std::count_if(shown.suggestions.begin(), shown.suggestions.end(),
                             [](const Suggestion& one) { return one.layer == Layer::llm; });
    };
    // The rules' plan, one more per placement, then one per veto as they take them back.
    ASSERT_EQ(partials.size(), 1U + 3U + 3U);
    for (std::size_t n = 0; n <= 3; ++n) {
        EXPECT_EQ(byModel(partials[n]), static_cast<long>(n)) << n;
        EXPECT_FALSE(partials[n].isFinal);
    }
    for (std::size_t n = 4; n < partials.size(); ++n) {
        EXPECT_EQ(byModel(partials[n]), static_cast<long>(6 - n)) << n;
    }
    EXPECT_EQ(partials.back().suggestions, plan.suggestions);
}

TEST_F(ModelOrganizerTest, AServiceThatKeepsFailingIsGivenUpWithItsOwnWords) {
    for (const char* name : {"Grandma secret sauce.txt", "Nonna meatballs.txt", "Pesto.txt",
                             "Tiramisu.txt", "Pasta notes.txt"}) {
        download(name);
    }
    failing = {"Placement"};
    const Plan plan = organizer(modelSettings(), 1).run();
    EXPECT_EQ(requests["Placement"], 3);
    EXPECT_EQ(plan.llmFailures, 5);
    EXPECT_EQ(plan.llmUnavailable, ModelUnavailable::notAvailable);
    EXPECT_EQ(plan.llmDetail, "the model service answered HTTP 500: scripted");
}

TEST_F(ModelOrganizerTest, LowConfidenceAndNoneLeaveTheFileToTheFallback) {
    download("Grandma secret sauce.txt");
    confidence = "low";
    Organizer organizer = this->organizer();
    EXPECT_EQ(find(organizer.run(), "Grandma secret sauce.txt").action, Action::ask());
    EXPECT_EQ(requests["Review"], 0);
    // The answer is remembered, so the model is not asked again.
    (void)organizer.run();
    EXPECT_EQ(requests["Placement"], 1);

    placeIn = "NONE";
    confidence = "high";
    auto s = modelSettings();
    s.modelAnswers.reset();
    EXPECT_EQ(find(this->organizer(s).run(), "Grandma secret sauce.txt").layer, Layer::none);
    EXPECT_EQ(requests["Placement"], 2);
}

TEST_F(ModelOrganizerTest, AVetoTurnsTheMoveIntoAQuestionAndStands) {
    download("Grandma secret sauce.txt");
    reviewAnswer = "something else";
    Organizer organizer = this->organizer();
    const Plan plan = organizer.run();
    const Suggestion& vetoed = find(plan, "Grandma secret sauce.txt");
    EXPECT_EQ(vetoed.action, Action::ask());
    EXPECT_EQ(vetoed.layer, Layer::none);
    EXPECT_FALSE(vetoed.target);
    EXPECT_EQ(vetoed.reason,
              (Reason{ReasonCode::vetoed,
                      {"Documents/Recipes", Layer::llm, "something else", "a family recipe"}}));
    EXPECT_EQ(plan.qaRejected, 1);

    requests.clear();
    EXPECT_EQ(find(organizer.run(), "Grandma secret sauce.txt"), vetoed);
    EXPECT_TRUE(requests.empty());
}

TEST_F(ModelOrganizerTest, ConfidentSimilarityNeedsNoModel) {
    download("Recipe lasagne.txt");
    const Plan plan = organizer().run();
    EXPECT_EQ(find(plan, "Recipe lasagne.txt").layer, Layer::match);
    EXPECT_TRUE(requests.empty());
    EXPECT_FALSE(plan.llmUnavailable);
}

TEST_F(ModelOrganizerTest, ARememberedAnswerNeverOverridesALaterDecision) {
    // The model places neither file; the contents decide the scan, a folder's new file the note.
    placeIn = "NONE";
    download("Sunday scan.txt", "Lasagne with tomato sauce and cheese.");
    download("Nonna meatballs.txt");
    auto s = modelSettings();
    s.allowContent = true;
    Organizer organizer = this->organizer(s);
    const Plan first = organizer.run();
    const Suggestion& read = find(first, "Sunday scan.txt");
    EXPECT_EQ(read.layer, Layer::content);
    EXPECT_EQ(read.action, Action::move("Documents/Recipes"));
    EXPECT_EQ(first.qaApproved, 1); // a weak decision, so it was reviewed
    EXPECT_EQ(find(first, "Nonna meatballs.txt").action, Action::ask());

    writeFile(home / "Documents/Recipes/Recipe meatballs.txt");
    requests.clear();
    std::vector<Plan> partials;
    const Plan second = organizer.run({}, [&](const Plan& plan) { partials.push_back(plan); });
    EXPECT_EQ(find(second, "Sunday scan.txt").layer, Layer::content);
    EXPECT_EQ(find(second, "Sunday scan.txt").action, read.action);
    const Suggestion& matched = find(second, "Nonna meatballs.txt");
    EXPECT_EQ(matched.layer, Layer::match);
    ASSERT_EQ(partials.size(), 1U);
    EXPECT_EQ(find(partials[0], "Nonna meatballs.txt"), matched);
    // Recipes changed, so the questions that offered it are asked again, the new match's too.
    EXPECT_EQ(requests["Placement"], 1);
    EXPECT_EQ(requests["Review"], 2);
}

TEST_F(ModelOrganizerTest, FailuresAreNotRememberedAndTheNextScanAsksAgain) {
    download("Grandma secret sauce.txt");
    failing = {"Placement"};
    Organizer organizer = this->organizer();
    const Plan failed = organizer.run();
    EXPECT_EQ(find(failed, "Grandma secret sauce.txt").action, Action::ask());
    EXPECT_EQ(failed.llmFailures, 1);

    failing = {"Review"};
    const Plan unreviewed = organizer.run();
    EXPECT_EQ(find(unreviewed, "Grandma secret sauce.txt").layer, Layer::llm);
    EXPECT_EQ(unreviewed.qaFailed, 1);

    failing.clear();
    requests.clear();
    const Plan reviewed = organizer.run();
    EXPECT_EQ(find(reviewed, "Grandma secret sauce.txt").layer, Layer::llm);
    EXPECT_EQ(reviewed.qaApproved, 1);
    EXPECT_EQ(requests, (std::map<std::string, int>{{"Review", 1}}));
}

TEST_F(ModelOrganizerTest, AStoppedRunGivesNoPlanAndChangesNoCache) {
    download("Grandma secret sauce.txt");
    download("Nonna meatballs.txt");
    stopAt = 2; // while the second file waits on the model
    Organizer organizer = this->organizer();
    int partials = 0;
    EXPECT_EQ(organizer.run(stop.get_token(), {}, [&](const Plan&) { ++partials; }), std::nullopt);
    EXPECT_EQ(partials, 1);
    EXPECT_EQ(requests["Placement"], 2);
    EXPECT_EQ(requests["Review"], 0);
    EXPECT_FALSE(std::filesystem::exists(home / ".vesk-app"));

    // Not even the first file's answer was kept.
    stopAt = 0;
    requests.clear();
    const Plan plan = organizer.run();
    EXPECT_EQ(requests["Placement"], 2);
    EXPECT_EQ(find(plan, "Nonna meatballs.txt").layer, Layer::llm);

    // Stopped before it starts, a run asks nothing and reports nothing but the scan.
    std::stop_source stopped;
    stopped.request_stop();
    std::vector<OrganizerProgress> progress;
    requests.clear();
    EXPECT_EQ(organizer.run(stopped.get_token(),
                            [&](const OrganizerProgress& p) { progress.push_back(p); }, {}),
              std::nullopt);
    EXPECT_EQ(progress, std::vector<OrganizerProgress>{{OrganizerProgress::Stage::scanning}});
    EXPECT_TRUE(requests.empty());
}

} // namespace
} // namespace vesk
