#include "core/LocalLLM.h"

#include "support/FakeModelServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>

namespace vesk {
namespace {

using nlohmann::ordered_json;
using test::FakeModelServer;

ModelEndpoint endpointOf(const FakeModelServer& server) {
    ModelEndpoint endpoint;
    endpoint.url = server.baseUrl();
    return endpoint;
}

FileItem fileNamed(std::string name, Kind kind, std::optional<std::string> host = std::nullopt) {
    FileItem item;
    item.url = "/home/u/Downloads/" + name;
    item.name = std::move(name);
    item.kind = kind;
    item.sourceDomain = std::move(host);
    return item;
}

std::vector<Target> targetsLabelled(const std::vector<std::string>& labels) {
    std::vector<Target> targets;
    for (const auto& label : labels) {
        targets.push_back(Target{"/home/u/" + label, label, false, {}, {}});
    }
    return targets;
}

std::string userMessage(const ordered_json& request) {
    return request["messages"][1]["content"].get<std::string>();
}

ordered_json answerSchema(const ordered_json& request) {
    return request["response_format"]["json_schema"]["schema"];
}

TEST(LocalLLMTest, PlaceSendsOneGreedyStructuredRequest) {
    FakeModelServer server;
    server.enqueue(FakeModelServer::answer(
        {{"what", "A tax return"}, {"folder", "Documents/Taxes"}, {"confidence", "high"}}));
    LocalLLM llm(false, endpointOf(server));
    const auto targets = targetsLabelled({"Pictures/Trips", "Music", "Documents/Taxes"});
    const Profiles profiles{{2, {"Tax returns and receipts", {"tax"}}}};

    const auto placement = llm.place(fileNamed("skatt 2023.pdf", Kind::pdf, "skatteetaten.no"),
                                     {2, 0}, targets, profiles);

    EXPECT_EQ(placement, (Placement{2, "high", "A tax return"}));
    const auto requests = server.chatRequests();
    ASSERT_EQ(requests.size(), 1U);
    const auto& request = requests[0];
    EXPECT_EQ(request["model"], "fake-model");
    EXPECT_EQ(request["temperature"], 0);
    EXPECT_EQ(request["stream"], false);
    EXPECT_EQ(request["messages"][0]["role"], "system");
    EXPECT_EQ(request["messages"][0]["content"],
              "You help file downloaded files into a person's existing folders on their Mac. You "
              "only see the file NAME, never its contents. First say what the file is. Then pick "
              "the folder whose purpose matches it, or NONE if no folder is about it. NONE is a "
              "good answer: a wrong move is worse than leaving the file alone.");
    EXPECT_EQ(request["messages"][1]["role"], "user");
    const auto expectedSchema = ordered_json::parse(R"({"type":"object","properties":{
        "what":{"type":"string","description":"What this file most likely is, in at most 8 English words"},
        "folder":{"type":"string","enum":["NONE","Documents/Taxes","Pictures/Trips"]},
        "confidence":{"type":"string","enum":["high","medium","low"]}},
        "required":["what","folder","confidence"],"additionalProperties":false})");
    EXPECT_EQ(answerSchema(request).dump(), expectedSchema.dump());
    EXPECT_EQ(userMessage(request),
              "File name: \"skatt 2023.pdf\"\nType: pdf\nDownloaded from: skatteetaten.no\n\n"
              "Folders:\n- NONE — none of the folders below is about this\n"
              "- Documents/Taxes — Tax returns and receipts\n- Pictures/Trips"
              "\n\nAnswer with JSON matching this schema:\n" +
                  expectedSchema.dump());
    EXPECT_EQ(request["response_format"]["type"], "json_schema");
    EXPECT_EQ(request["response_format"]["json_schema"]["name"], "Placement");
    EXPECT_EQ(request["response_format"]["json_schema"]["strict"], true);
    EXPECT_EQ(llm.calls(), 1);
    EXPECT_EQ(llm.failures(), 0);
    EXPECT_GT(llm.seconds(), 0);
}

TEST(LocalLLMTest, PlaceReadsEachKindOfAnswer) {
    FakeModelServer server;
    server.enqueue(FakeModelServer::answer(
        {{"what", "A meme"}, {"folder", "NONE"}, {"confidence", "medium"}}));
    server.enqueue(FakeModelServer::answer(
        {{"what", "A song"}, {"folder", "Music/Unknown"}, {"confidence", "high"}}));
    server.enqueue(FakeModelServer::answer({{"folder", "Music"}}));
    server.enqueue(FakeModelServer::answer({{"what", "A song"}, {"confidence", "high"}}));
    auto endpoint = endpointOf(server);
    endpoint.model = "chosen-model";
    LocalLLM llm(false, endpoint);
    const auto targets = targetsLabelled({"Pictures", "Music"});
    const auto item = fileNamed("x.mp3", Kind::audio);

    EXPECT_EQ(llm.place(item, {0, 1}, targets, {}), (Placement{std::nullopt, "medium", "A meme"}));
    EXPECT_EQ(llm.place(item, {0, 1}, targets, {}), (Placement{std::nullopt, "high", "A song"}));
    EXPECT_EQ(llm.place(item, {0, 1}, targets, {}), (Placement{1, "low", ""}));
    EXPECT_EQ(llm.place(item, {0, 1}, targets, {}), std::nullopt);
    EXPECT_EQ(llm.place(item, {}, targets, {}), std::nullopt);

    EXPECT_EQ(llm.calls(), 4);
    EXPECT_EQ(llm.failures(), 0);
    EXPECT_EQ(server.modelListings(), 0);
    EXPECT_EQ(server.chatRequests().front()["model"], "chosen-model");
}

TEST(LocalLLMTest, ReviewOffersDistinctCategoriesSortedThenSomethingElse) {
    FakeModelServer server;
    const auto reply = [](const char* category) {
        return FakeModelServer::answer(
            {{"english", "tax"}, {"what", "A tax form"}, {"category", category}});
    };
    server.enqueue(reply("Taxes (Taxes)"));
    server.enqueue(reply("something else"));
    server.enqueue(reply("Music (Music)"));
    server.enqueue(FakeModelServer::answer({{"what", "A tax form"}}));
    server.enqueue(reply("Taxes (Taxes)"));
    LocalLLM llm(false, endpointOf(server));
    const auto targets = targetsLabelled(
        {"Documents/Taxes", "Archive/Taxes", "Work/Invoices", "Pictures", "Music", "Movies"});
    const Profiles profiles{{0, {"", {}}}, {2, {"Client invoices", {}}}};
    const auto item = fileNamed("skatt.pdf", Kind::pdf);
    const std::vector<int> alternatives{0, 1, 2, 3, 4, 5};

    EXPECT_EQ(llm.review(item, 0, targets, profiles, alternatives),
              Verdict::approved("A tax form"));
    EXPECT_EQ(llm.review(item, 0, targets, profiles, alternatives),
              Verdict::rejected("something else：A tax form"));
    EXPECT_EQ(llm.review(item, 0, targets, profiles, alternatives),
              Verdict::rejected("Music (Music)：A tax form"));
    EXPECT_EQ(llm.review(item, 0, targets, profiles, alternatives), Verdict::failed());
    EXPECT_EQ(llm.review(item, 0, targets, profiles, {0, 1, 0}), Verdict::approved("A tax form"));

    const auto requests = server.chatRequests();
    ASSERT_EQ(requests.size(), 5U);
    const auto schema = answerSchema(requests[0]);
    const auto expected = ordered_json::parse(R"json({
        "english":{"type":"string","description":"The file name translated to plain English words"},
        "what":{"type":"string","description":"What this file most likely is, in at most 8 English words"},
        "category":{"type":"string","enum":["Client invoices (Invoices)","Music (Music)",
            "Pictures (Pictures)","Taxes (Taxes)","something else"]}})json");
    EXPECT_EQ(schema["properties"].dump(), expected.dump());
    EXPECT_EQ(requests[0]["response_format"]["json_schema"]["name"], "Review");
    EXPECT_EQ(answerSchema(requests[4])["properties"]["category"]["enum"],
              ordered_json({"Taxes (Taxes)", "something else"}));
    EXPECT_THAT(userMessage(requests[0]),
                testing::StartsWith("File name: \"skatt.pdf\"\nType: pdf\n\nAnswer with JSON"));
    EXPECT_THAT(requests[0]["messages"][0]["content"].get<std::string>(),
                testing::EndsWith("or \"something else\" if none fits well."));
    EXPECT_EQ(llm.failures(), 0);
}

TEST(LocalLLMTest, FailedRequestsAreCountedLoggedAndFallBack) {
    FakeModelServer server;
    server.enqueue(FakeModelServer::status(500));
    server.enqueue(FakeModelServer::answerText("Sure! The folder is Music."));
    server.enqueue({200, "{\"choices\":[]}", std::chrono::milliseconds(100)});
    server.enqueue(FakeModelServer::status(500));
    const auto targets = targetsLabelled({"Music"});
    const auto item = fileNamed("song.mp3", Kind::audio);

    LocalLLM verbose(true, endpointOf(server));
    testing::internal::CaptureStderr();
    EXPECT_EQ(verbose.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(verbose.review(item, 0, targets, {}, {}), Verdict::failed());
    EXPECT_EQ(verbose.profile(targets, std::nullopt, 8), Profiles{});
    const auto log = testing::internal::GetCapturedStderr();

    // The profile request was retried alone once for the folder it lacked: four failures.
    EXPECT_EQ(verbose.calls(), 4);
    EXPECT_EQ(verbose.failures(), 4);
    EXPECT_GE(verbose.seconds(), 0.1);
    EXPECT_THAT(log, testing::MatchesRegex("(  \\[LLM\\] [^\n]+\n){4}"));
    EXPECT_THAT(log, testing::HasSubstr("500"));

    server.enqueue(FakeModelServer::status(503));
    LocalLLM quiet(false, endpointOf(server));
    testing::internal::CaptureStderr();
    EXPECT_EQ(quiet.place(item, {0}, targets, {}), std::nullopt);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(quiet.failures(), 1);
}

TEST(LocalLLMTest, StalledOrVanishedServiceBecomesFailures) {
    const auto targets = targetsLabelled({"Music"});
    const auto item = fileNamed("song.mp3", Kind::audio);
    ModelEndpoint gone;
    {
        FakeModelServer server;
        auto stalled = FakeModelServer::answer({{"folder", "Music"}});
        stalled.delay = std::chrono::minutes(1);
        server.enqueue(stalled);
        auto endpoint = endpointOf(server);
        endpoint.timeout = std::chrono::milliseconds(200);
        LocalLLM llm(false, endpoint);
        EXPECT_EQ(llm.place(item, {0}, targets, {}), std::nullopt);
        EXPECT_EQ(llm.failures(), 1);
        gone = endpoint;
    }
    LocalLLM llm(false, gone);
    EXPECT_EQ(llm.review(item, 0, targets, {}, {}), Verdict::failed());
    EXPECT_EQ(llm.calls(), 1);
    EXPECT_EQ(llm.failures(), 1);
}

TEST(LocalLLMTest, AvailabilityFollowsTheService) {
    ModelEndpoint off;
    off.url = "off";
    EXPECT_EQ(LocalLLM::unavailableReason(off), "Apple Intelligence is turned off");

    ModelEndpoint silent;
    {
        FakeModelServer server;
        silent = endpointOf(server);
        EXPECT_EQ(LocalLLM::unavailableReason(silent), std::nullopt);
    }
    EXPECT_EQ(LocalLLM::unavailableReason(silent), "The on-device model isn't available");

    FakeModelServer empty(std::vector<std::string>{});
    EXPECT_EQ(LocalLLM::unavailableReason(endpointOf(empty)),
              "The on-device model isn't ready yet");
    FakeModelServer loading;
    loading.setModelsReply(FakeModelServer::status(503));
    EXPECT_EQ(LocalLLM::unavailableReason(endpointOf(loading)),
              "The on-device model isn't ready yet");
    loading.setModelsReply(FakeModelServer::status(404));
    EXPECT_EQ(LocalLLM::unavailableReason(endpointOf(loading)),
              "The on-device model isn't available");
}

TEST(LocalLLMTest, NonLoopbackAddressesAreNeverContacted) {
    FakeModelServer server;
    const auto port = std::to_string(server.port());
    // On Linux a connection to 0.0.0.0 lands on this machine's loopback listener, so the
    // service would answer if the address were not refused before connecting.
    httplib::Client probe("0.0.0.0", server.port());
    ASSERT_TRUE(probe.Get("/v1/models"));
    ASSERT_EQ(server.modelListings(), 1);

    for (const auto& url : {"http://0.0.0.0:" + port + "/v1", "http://127.0.0.1@0.0.0.0:" + port,
                            "https://127.0.0.1:" + port + "/v1", "127.0.0.1:" + port}) {
        ModelEndpoint endpoint;
        endpoint.url = url;
        EXPECT_EQ(LocalLLM::unavailableReason(endpoint), "The on-device model isn't available")
            << url;
        LocalLLM llm(false, endpoint);
        EXPECT_EQ(llm.place(fileNamed("a.pdf", Kind::pdf), {0}, targetsLabelled({"Docs"}), {}),
                  std::nullopt);
        EXPECT_EQ(llm.failures(), 1);
    }
    EXPECT_EQ(server.modelListings(), 1);
    EXPECT_TRUE(server.chatRequests().empty());
}

TEST(LocalLLMTest, OnlyLoopbackHostsCount) {
    for (const char* host : {"127.0.0.1", "127.255.3.4", "localhost", "LocalHost", "::1"}) {
        EXPECT_TRUE(isLoopbackHost(host)) << host;
    }
    for (const char* host : {"0.0.0.0", "10.0.0.1", "128.0.0.1", "localhost.example", "",
                             "127.0.0.1.example.com", "::ffff:127.0.0.1", "0x7f000001", "[::1]"}) {
        EXPECT_FALSE(isLoopbackHost(host)) << host;
    }
}

TEST(LocalLLMTest, EndpointComesFromTheEnvironment) {
    setenv("VESK_MODEL_URL", "http://[::1]:8080/v1", 1);
    setenv("VESK_MODEL", "qwen2.5:3b", 1);
    const auto configured = ModelEndpoint::fromEnvironment();
    EXPECT_EQ(configured.url, "http://[::1]:8080/v1");
    EXPECT_EQ(configured.model, "qwen2.5:3b");

    unsetenv("VESK_MODEL_URL");
    setenv("VESK_MODEL", "", 1);
    EXPECT_EQ(ModelEndpoint::fromEnvironment(), ModelEndpoint{});
    EXPECT_EQ(ModelEndpoint{}.url, "http://127.0.0.1:11434/v1");
    setenv("VESK_MODEL_URL", "off", 1);
    unsetenv("VESK_MODEL");
}

} // namespace
} // namespace vesk
