#include "core/model/LocalLLM.h"
#include "core/model/FolderProfiles.h"

#include "support/FakeModelServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>

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
            "You help file downloaded files into a person's existing folders on their Mac. You "
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
              Verdict::rejected("something else：A tax form"));
    EXPECT_EQ(llm.review(item, 0, targets, profiles, all),
              Verdict::rejected("Music (Music)：A tax form"));
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

TEST_F(LocalLLMTest, FailedRequestsAreCountedLoggedAndFallBack) {
    auto stalled = FakeModelServer::answer({{"folder", "Music"}});
    stalled.delay = std::chrono::minutes(1);
    server.enqueue(stalled);
    server.enqueue(FakeModelServer::answerText("Sure! The folder is Music."));
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
    EXPECT_EQ(FolderProfiles::profile(verbose, targets, std::nullopt, 8), Profiles{});
    // The profile request is retried alone once for the folder it lacked: four failures.
    EXPECT_EQ(verbose.calls(), 4);
    EXPECT_EQ(verbose.failures(), 4);
    EXPECT_GE(verbose.seconds(), 0.2);
    EXPECT_THAT(log, testing::MatchesRegex("(  \\[LLM\\] [^\n]+\n){4}"));
    EXPECT_THAT(log, testing::HasSubstr("500"));

    server.enqueue(FakeModelServer::status(503));
    EXPECT_EQ(llm.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(llm.failures(), 1);
}

TEST(LocalLLMAvailability, FollowsTheService) {
    EXPECT_EQ(LocalLLM::unavailableReason(endpointAt("off")), "The local model is turned off");

    ModelEndpoint gone;
    {
        FakeModelServer server;
        gone = endpointAt(server.baseUrl());
        EXPECT_EQ(LocalLLM::unavailableReason(gone), std::nullopt);
    }
    EXPECT_EQ(LocalLLM::unavailableReason(gone), "The local model isn't available");

    FakeModelServer empty(std::vector<std::string>{});
    const auto at = endpointAt(empty.baseUrl());
    EXPECT_EQ(LocalLLM::unavailableReason(at), "The local model isn't ready yet");
    empty.setModelsReply(FakeModelServer::status(503));
    EXPECT_EQ(LocalLLM::unavailableReason(at), "The local model isn't ready yet");
    empty.setModelsReply(FakeModelServer::status(404));
    EXPECT_EQ(LocalLLM::unavailableReason(at), "The local model isn't available");
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
        EXPECT_EQ(LocalLLM::unavailableReason(endpoint), "The local model isn't available") << url;
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
