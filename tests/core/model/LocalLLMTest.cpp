#include "core/model/LocalLLM.h"
#include "core/model/FolderProfiles.h"
#include "core/model/ModelService.h"
#include "core/util/InOrder.h"

#include "support/FakeModelServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include <stop_token>

namespace vesk {
namespace {

using nlohmann::ordered_json;
using test::FakeModelServer;

ModelEndpoint endpointAt(std::string url, std::string model = "") {
    return {.url = std::move(url), .model = std::move(model)};
}

FileItem fileNamed(std::string name, Kind kind) {
    FileItem item;
    item.name = std::move(name);
    item.kind = kind;
    return item;
}

std::vector<Target> targetsLabelled(const std::vector<std::string>& labels) {
    std::vector<Target> targets;
    for (const auto& label : labels) {
        targets.push_back(Target{"/home/u/" + label, label, false, {}, {}});
    }
    return targets;
}

class LocalLLMTest : public testing::Test {
protected:
    FakeModelServer server;
    LocalLLM llm{endpointAt(server.baseUrl())};
};

TEST_F(LocalLLMTest, PlaceSendsOneGreedyStructuredRequest) {
    server.enqueue(FakeModelServer::answer(
        {{"what", "A tax return"}, {"folder", "Documents/Taxes"}, {"confidence", "high"}}));
    auto item = fileNamed("skatt 2023.pdf", Kind::pdf);
    item.sourceDomain = "skatteetaten.no";

    EXPECT_EQ(llm.place(item, {2, 0},
                        targetsLabelled({"Pictures/Trips", "Music", "Documents/Taxes"}),
                        {{2, {"Tax returns and receipts", {"tax"}}}}),
              (Placement{2, "high", "A tax return"}));

    const auto requests = server.chatRequests();
    ASSERT_EQ(requests.size(), 1U);
    const auto schema = ordered_json::parse(R"({"type":"object","properties":{
        "what":{"type":"string","description":"What this file most likely is, in at most 8 English words"},
        "folder":{"type":"string","enum":["NONE","Documents/Taxes","Pictures/Trips"]},
        "confidence":{"type":"string","enum":["high","medium","low"]}},
        "required":["what","folder","confidence"],"additionalProperties":false})");
    const ordered_json expected = {
        {"model", "fake-model"},
        {"messages",
         {{{"role", "system"},
           {"content",
            "You help file downloaded files into a person's existing folders on their computer. "
            "You "
            "only see the file NAME, never its contents. First say what the file is. Then pick "
            "the folder whose purpose matches it, or NONE if no folder is about it. NONE is a "
            "good answer: a wrong move is worse than leaving the file alone."}},
          {{"role", "user"},
           {"content", "File name: \"skatt 2023.pdf\"\nType: pdf\nDownloaded from: "
                       "skatteetaten.no\n\nFolders:\n- NONE — none of the folders below is about "
                       "this\n- Documents/Taxes — Tax returns and receipts\n- Pictures/Trips"
                       "\n\nAnswer with JSON matching this schema:\n" +
                           schema.dump()}}}},
        {"response_format",
         {{"type", "json_schema"},
          {"json_schema", {{"name", "Placement"}, {"strict", true}, {"schema", schema}}}}},
        {"temperature", 0},
        {"stream", false}};
    EXPECT_EQ(requests[0].dump(2), expected.dump(2));
}

TEST_F(LocalLLMTest, PlaceReadsEachKindOfAnswer) {
    LocalLLM chosen(endpointAt(server.baseUrl(), "chosen-model"));
    const auto targets = targetsLabelled({"Pictures", "Music"});
    const auto item = fileNamed("x.mp3", Kind::audio);
    const std::vector<std::pair<std::string, std::optional<Placement>>> cases{
        {R"({"what":"A meme","folder":"NONE","confidence":"medium"})",
         Placement{std::nullopt, "medium", "A meme"}},
        {R"({"what":"A song","folder":"Music/Unknown","confidence":"high"})",
         Placement{std::nullopt, "high", "A song"}},
        {R"({"folder":"Music"})", Placement{1, "low", ""}},
        {R"({"what":"A song","confidence":"high"})", std::nullopt}};
    for (const auto& [answer, expected] : cases) {
        server.enqueue(FakeModelServer::answerText(answer));
        EXPECT_EQ(chosen.place(item, {0, 1}, targets, {}), expected) << answer;
    }
    EXPECT_EQ(chosen.place(item, {}, targets, {}), std::nullopt);
    EXPECT_EQ(chosen.calls(), 4);
    EXPECT_EQ(server.modelListings(), 0);
    EXPECT_EQ(server.chatRequests().front()["model"], "chosen-model");
}

TEST_F(LocalLLMTest, ReviewOffersDistinctCategoriesSortedThenSomethingElse) {
    for (const std::string category : {"\"Taxes (Taxes)\"", "\"something else\"",
                                       "\"Music (Music)\"", "null", "\"Taxes (Taxes)\""}) {
        server.enqueue(
            FakeModelServer::answerText(R"({"what":"A tax form","category":)" + category + "}"));
    }
    // Target 0 has an empty purpose and shares its name with target 1.
    const auto targets = targetsLabelled(
        {"Documents/Taxes", "Archive/Taxes", "Work/Invoices", "Pictures", "Music", "Movies"});
    const Profiles profiles{{0, {"", {}}}, {2, {"Client invoices", {}}}};
    const auto item = fileNamed("skatt.pdf", Kind::pdf);
    const std::vector<int> all{0, 1, 2, 3, 4, 5};

    EXPECT_EQ(llm.review(item, 0, targets, profiles, all), Verdict::approved("A tax form"));
    EXPECT_EQ(llm.review(item, 0, targets, profiles, all),
              Verdict::rejected("something else", "A tax form"));
    EXPECT_EQ(llm.review(item, 0, targets, profiles, all),
              Verdict::rejected("Music (Music)", "A tax form"));
    EXPECT_EQ(llm.review(item, 0, targets, profiles, all), Verdict::failed());
    EXPECT_EQ(llm.review(item, 0, targets, profiles, {0, 1, 0}), Verdict::approved("A tax form"));

    const auto requests = server.chatRequests();
    ASSERT_EQ(requests.size(), 5U);
    EXPECT_EQ(requests[0]["response_format"]["json_schema"]["schema"]["properties"].dump(),
              ordered_json::parse(R"json({
        "english":{"type":"string","description":"The file name translated to plain English words"},
        "what":{"type":"string","description":"What this file most likely is, in at most 8 English words"},
        "category":{"type":"string","enum":["Client invoices (Invoices)","Music (Music)",
            "Pictures (Pictures)","Taxes (Taxes)","something else"]}})json")
                  .dump());
    EXPECT_EQ(
        requests[4]["response_format"]["json_schema"]["schema"]["properties"]["category"]["enum"],
        ordered_json({"Taxes (Taxes)", "something else"}));
    EXPECT_THAT(requests[0]["messages"][1]["content"].get<std::string>(),
                testing::StartsWith("File name: \"skatt.pdf\"\nType: pdf\n\nAnswer with JSON"));
}

TEST_F(LocalLLMTest, NamesThatAreNotUtf8AreKnownAgainInTheAnswers) {
    const std::string sent = "Caf\xEF\xBF\xBD"; // U+FFFD where the Latin-1 byte was
    server.enqueue(FakeModelServer::answer(
        {{"what", "A menu"}, {"folder", "Documents/" + sent}, {"confidence", "high"}}));
    server.enqueue(FakeModelServer::answer(
        {{"english", "x"}, {"what", "A menu"}, {"category", sent + " (" + sent + ")"}}));
    const auto targets = targetsLabelled({"Documents/Caf\xE9", "Music"});
    const auto item = fileNamed("menu.pdf", Kind::pdf);
    EXPECT_EQ(llm.place(item, {1, 0}, targets, {}), (Placement{0, "high", "A menu"}));
    EXPECT_EQ(llm.review(item, 0, targets, {}, {1}), Verdict::approved("A menu"));
}

TEST_F(LocalLLMTest, FailedRequestsAreCountedLoggedOnOneLineEachAndFallBack) {
    auto stalled = FakeModelServer::answer({{"folder", "Music"}});
    stalled.delay = std::chrono::minutes(1);
    server.enqueue(stalled);
    server.enqueue(FakeModelServer::answerText("Sure!\nThe folder is\r\n\tMusic."));
    server.enqueue(
        FakeModelServer::answer({{"what", "A song"}, {"folder", "Music"}, {"confidence", "high"}}));
    server.enqueue({200, "{\"choices\":[]}", {}});
    server.enqueue(FakeModelServer::status(500));
    const auto targets = targetsLabelled({"Music"});
    const auto item = fileNamed("song.mp3", Kind::audio);

    auto endpoint = endpointAt(server.baseUrl());
    endpoint.timeout = std::chrono::milliseconds(200);
    std::string log;
    LocalLLM verbose(endpoint, [&](const std::string& line) { log += line + "\n"; });
    EXPECT_EQ(verbose.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(verbose.review(item, 0, targets, {}, {}), Verdict::failed());
    EXPECT_EQ(verbose.place(item, {0}, targets, {}), (Placement{0, "high", "A song"}));
    EXPECT_EQ(FolderProfiles::profile(verbose, targets, folderSignatures(targets), ProfileCache{}, 8),
              Profiles{});
    // The profile request is retried alone once for the folder it lacked: four failures.
    EXPECT_EQ(verbose.calls(), 5);
    EXPECT_EQ(verbose.failures(), 4);
    EXPECT_GE(verbose.seconds(), 0.2);
    EXPECT_THAT(log, testing::MatchesRegex("(  \\[LLM\\] [^\n]+\n){4}"));
    EXPECT_THAT(log, testing::HasSubstr("within 0.2 s"));
    EXPECT_THAT(log, testing::HasSubstr("Sure!\\nThe folder is\\r\\n\\tMusic."));
    EXPECT_THAT(log, testing::HasSubstr("500"));

    server.enqueue(FakeModelServer::status(503));
    EXPECT_EQ(llm.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(llm.failures(), 1);
}

TEST_F(LocalLLMTest, AfterThreeFailuresInARowTheRestIsSkippedAndCountedAsFailed) {
    const auto targets = targetsLabelled({"Music"});
    const auto item = fileNamed("song.mp3", Kind::audio);
    const auto placed =
        FakeModelServer::answer({{"what", "A song"}, {"folder", "Music"}, {"confidence", "high"}});
    // An answer in between starts the count again.
    for (const auto& reply : {FakeModelServer::status(500), FakeModelServer::status(500), placed,
                              FakeModelServer::status(500), FakeModelServer::status(500),
                              FakeModelServer::status(500), placed}) {
        server.enqueue(reply);
    }
    std::string log;
    LocalLLM failing(endpointAt(server.baseUrl()),
                     [&](const std::string& line) { log += line + "\n"; });
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(failing.place(item, {0}, targets, {}).has_value(), i == 2) << i;
    }
    EXPECT_EQ(server.chatRequests().size(), 6U);
    EXPECT_EQ(failing.calls(), 8);
    EXPECT_EQ(failing.failures(), 7);
    EXPECT_THAT(log, testing::MatchesRegex("(  \\[LLM\\] [^\n]+\n){6}"));
    EXPECT_THAT(log,
                testing::EndsWith(
                    "3 requests failed in a row; the rest of this run does without the model\n"));
}

TEST_F(LocalLLMTest, AnExchangeEndsInItsTimeAsAWholeAndNeverReadsAHugeAnswer) {
    const auto targets = targetsLabelled({"Music"});
    const auto item = fileNamed("song.mp3", Kind::audio);
    std::string log;
    const Diagnostics logged = [&](const std::string& line) { log += line + "\n"; };
    // A byte every 50 ms never lets a 300 ms read time-out pass; the answer would take 500 s.
    auto trickled = FakeModelServer::answer({{"folder", "Music"}});
    trickled.trickle = std::chrono::milliseconds(50);
    trickled.padding = 10'000;
    server.enqueue(trickled);
    auto endpoint = endpointAt(server.baseUrl(), "fake-model");
    endpoint.timeout = std::chrono::milliseconds(300);
    LocalLLM bounded(endpoint, logged);
    EXPECT_EQ(bounded.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(bounded.failures(), 1);
    EXPECT_THAT(log, testing::HasSubstr("within 0.3 s"));

    // Looking up the model counts into the same time.
    auto listing = trickled;
    listing.body = R"({"object":"list","data":[{"id":"fake-model"}]})";
    server.setModelsReply(listing);
    endpoint.model.clear();
    LocalLLM listed(endpoint, logged);
    EXPECT_EQ(listed.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(listed.failures(), 1);
    EXPECT_EQ(server.chatRequests().size(), 1U);

    // A 1.5 GB answer is given up after its first megabytes.
    auto huge =
        FakeModelServer::answer({{"what", "A song"}, {"folder", "Music"}, {"confidence", "high"}});
    huge.padding = 1'500'000'000;
    server.enqueue(huge);
    LocalLLM chosen(endpointAt(server.baseUrl(), "fake-model"), logged);
    EXPECT_EQ(chosen.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(chosen.failures(), 1);
    EXPECT_THAT(log, testing::HasSubstr("answer is larger than 4 MiB"));
    EXPECT_LT(server.streamedBytes(), 64U << 20U);
}

TEST_F(LocalLLMTest, RequestsShareAFewKeptAliveConnections) {
    auto placed =
        FakeModelServer::answer({{"what", "A song"}, {"folder", "Music"}, {"confidence", "high"}});
    placed.delay = std::chrono::milliseconds(50);
    server.setHandler([&](const ordered_json&) { return placed; });
    auto stalled = placed;
    stalled.delay = std::chrono::minutes(1);
    auto endpoint = endpointAt(server.baseUrl(), "fake-model");
    endpoint.timeout = std::chrono::milliseconds(300);
    LocalLLM client(endpoint);
    const auto targets = targetsLabelled({"Music"});
    const auto item = fileNamed("song.mp3", Kind::audio);

    // Side by side, no more connections than requests under way at once.
    inOrder(12, client.parallel(), {}, [&](std::size_t) { return client.place(item, {0}, targets, {}); },
            [](std::size_t k, const std::optional<Placement>& placement) {
                EXPECT_TRUE(placement) << k;
            });
    EXPECT_EQ(server.mostInFlight(), 4);
    const int opened = server.connections();
    EXPECT_LE(opened, 4);

    // One after the other they keep to one; a request cut short has its connection opened again.
    server.enqueue(stalled);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(client.place(item, {0}, targets, {}).has_value(), i > 0) << i;
    }
    EXPECT_EQ(server.connections(), opened + 1);
    EXPECT_EQ(client.calls(), 18);
    EXPECT_EQ(client.failures(), 1);
}

TEST_F(LocalLLMTest, AStopCutsTheRequestUnderWayShortAndSendsNoMore) {
    std::stop_source stop;
    server.setHandler([&](const ordered_json&) {
        stop.request_stop();
        auto stalled = FakeModelServer::answer({{"folder", "Music"}});
        stalled.delay = std::chrono::minutes(1);
        return stalled;
    });
    std::string log;
    LocalLLM stoppable(
        endpointAt(server.baseUrl(), "fake-model"), [&](const std::string& line) { log += line; },
        stop.get_token());
    const auto targets = targetsLabelled({"Music"});
    const auto item = fileNamed("song.mp3", Kind::audio);
    EXPECT_EQ(stoppable.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(stoppable.review(item, 0, targets, {}, {}), Verdict::failed());
    EXPECT_EQ(server.chatRequests().size(), 1U);
    EXPECT_EQ(log, ""); // cut short on purpose, which is no failure to report
}

TEST_F(LocalLLMTest, NonLoopbackAddressesAreNeverContacted) {
    const auto port = std::to_string(server.port());
    // On Linux 0.0.0.0 reaches this machine's loopback listener: only the check refuses it.
    httplib::Client probe("0.0.0.0", server.port());
    ASSERT_TRUE(probe.Get("/v1/models"));
    ASSERT_EQ(server.modelListings(), 1);

    for (const auto& url : {"http://0.0.0.0:" + port + "/v1", "http://127.0.0.1@0.0.0.0:" + port,
                            "https://127.0.0.1:" + port + "/v1", "127.0.0.1:" + port}) {
        const auto endpoint = endpointAt(url);
        EXPECT_EQ(checkModelService(endpoint, modelProbeLimit).unavailable,
                  ModelUnavailable::notAvailable)
            << url;
        LocalLLM refused(endpoint);
        EXPECT_EQ(refused.place(fileNamed("a.pdf", Kind::pdf), {0}, targetsLabelled({"Docs"}), {}),
                  std::nullopt);
        EXPECT_EQ(refused.failures(), 1);
    }
    EXPECT_EQ(server.modelListings(), 1);
    EXPECT_TRUE(server.chatRequests().empty());

    for (const char* host : {"127.0.0.1", "127.255.3.4", "localhost", "LocalHost", "::1"}) {
        EXPECT_TRUE(isLoopbackHost(host)) << host;
    }
    for (const char* host : {"0.0.0.0", "10.0.0.1", "128.0.0.1", "localhost.example", "",
                             "127.0.0.1.example.com", "::ffff:127.0.0.1", "0x7f000001", "[::1]"}) {
        EXPECT_FALSE(isLoopbackHost(host)) << host;
    }
}

} // namespace
} // namespace vesk
