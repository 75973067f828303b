#include "core/model/LocalLLM.h"
#include "core/model/ModelService.h"
#include "core/model/ServiceText.h"

#include "support/FakeModelServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using nlohmann::ordered_json;
using test::FakeModelServer;

ModelEndpoint endpointAt(std::string url, std::string model = "", std::string key = "") {
    ModelEndpoint endpoint;
    endpoint.url = std::move(url);
    endpoint.model = std::move(model);
    endpoint.key = std::move(key);
    return endpoint;
}

ModelCheck check(const ModelEndpoint& endpoint, ModelSorting sorting = ModelSorting::untilChosen) {
    return checkModelService(endpoint, modelProbeLimit, {}, sorting);
}

FakeModelServer::Reply listing(const ordered_json& data) {
    return {200, ordered_json{{"object", "list"}, {"data", data}}.dump(), {}};
}

FileItem song() {
    FileItem item;
    item.name = "song.mp3";
    item.kind = Kind::audio;
    return item;
}

std::vector<Target> music() {
    return {Target{"/home/u/Music", "Music", false, {}, {}}};
}

const FakeModelServer::Reply placed =
    FakeModelServer::answer({{"what", "A song"}, {"folder", "Music"}, {"confidence", "high"}});

TEST(ModelServiceTest, ReasonsFollowTheService) {
    EXPECT_EQ(check(endpointAt("off")).unavailable, ModelUnavailable::turnedOff);

    ModelEndpoint gone;
    {
        FakeModelServer server;
        gone = endpointAt(server.baseUrl());
        const auto found = check(gone);
        EXPECT_TRUE(found.available());
        EXPECT_EQ(found.unavailable, std::nullopt);
        EXPECT_EQ(found.model, "fake-model");
        EXPECT_EQ(found.url, server.baseUrl());
    }
    EXPECT_EQ(check(gone).unavailable, ModelUnavailable::notAvailable);
    EXPECT_THAT(check(gone).detail, testing::HasSubstr("no answer from the model service"));

    FakeModelServer empty(std::vector<std::string>{});
    const auto at = endpointAt(empty.baseUrl());
    EXPECT_EQ(check(at).unavailable, ModelUnavailable::notReady);
    EXPECT_EQ(check(at).detail, "the model service lists no model");

    // A chosen model must be one the service lists, or every request would fail.
    FakeModelServer two({"fake-model", "other"});
    EXPECT_EQ(check(endpointAt(two.baseUrl(), "other")).model, "other");
    const auto missing = check(endpointAt(two.baseUrl(), "third"));
    EXPECT_EQ(missing.unavailable, ModelUnavailable::notReady);
    EXPECT_EQ(missing.models, (std::vector<std::string>{"fake-model", "other"})); // to choose from

    // A listing that trickles in gets the probe's second and no more.
    two.setModelsReply({200, R"({"object":"list","data":[{"id":"fake-model"}]})",
                        std::chrono::milliseconds(0), std::chrono::milliseconds(50), 10'000});
    EXPECT_EQ(check(endpointAt(two.baseUrl())).unavailable, ModelUnavailable::notAvailable);
    empty.setModelsReply(FakeModelServer::status(503));
    EXPECT_EQ(check(at).unavailable, ModelUnavailable::notReady);
    empty.setModelsReply({404, "404 page not found", {}});
    EXPECT_EQ(check(at).unavailable, ModelUnavailable::notAvailable);
    EXPECT_EQ(check(at).detail, "the model service answered HTTP 404: 404 page not found");
}

TEST(ModelServiceTest, EmbeddingModelsAreNeverChosenAndListedLast) {
    // Ollama lists its newest model first, whatever it is; only its details tell "bge-m3".
    FakeModelServer ollama({"nomic-embed-text:latest", "bge-m3:latest", "llama3.2:3b", "qwen2.5:3b"});
    ollama.setCapabilities({{"bge-m3:latest", {"embedding"}},
                            {"llama3.2:3b", {"completion", "tools"}},
                            {"qwen2.5:3b", {"completion"}}});
    const auto chosen = check(endpointAt(ollama.baseUrl()));
    EXPECT_EQ(chosen.model, "llama3.2:3b");
    const auto all = check(endpointAt(ollama.baseUrl()), ModelSorting::all);
    EXPECT_EQ(all.models, (std::vector<std::string>{"llama3.2:3b", "qwen2.5:3b",
                                                    "nomic-embed-text:latest", "bge-m3:latest"}));

    // Elsewhere the listing's own words, or the name, have to do.
    FakeModelServer other;
    other.setModelsReply(listing({{{"id", "text-embedding-nomic"}, {"type", "embeddings"}},
                                  {{"id", "gte-small"}, {"capabilities", {"embedding"}}},
                                  {{"id", "mxbai-EMBED-large"}},
                                  {{"id", "phi-4"}}}));
    EXPECT_EQ(check(endpointAt(other.baseUrl())).model, "phi-4");
    other.setModelsReply(listing({{{"id", "nomic-embed-text"}}}));
    const auto chatless = check(endpointAt(other.baseUrl()));
    EXPECT_EQ(chatless.unavailable, ModelUnavailable::notReady);
    EXPECT_EQ(chatless.detail, "the model service lists no model that can chat");

    // A run without a chosen model asks the one the check chose.
    ollama.enqueue(placed);
    LocalLLM llm(endpointAt(ollama.baseUrl()));
    EXPECT_TRUE(llm.place(song(), {0}, music(), {}));
    EXPECT_EQ(ollama.chatRequests().at(0)["model"], "llama3.2:3b");
}

TEST(ModelServiceTest, AnAddressWithoutV1IsTriedWithIt) {
    FakeModelServer server;
    const std::string root = "http://127.0.0.1:" + std::to_string(server.port());
    for (const auto& url : {root, root + "/"}) {
        const auto found = check(endpointAt(url));
        EXPECT_TRUE(found.available()) << url;
        EXPECT_EQ(found.url, server.baseUrl()) << url;
    }
    // A client left to find its model finds the address too.
    server.enqueue(placed);
    LocalLLM llm(endpointAt(root));
    EXPECT_TRUE(llm.place(song(), {0}, music(), {}));
    EXPECT_EQ(check(endpointAt(root + "/api")).unavailable, ModelUnavailable::notAvailable);
}

TEST(ModelServiceTest, AServiceThatWantsAKeySaysSoAndGetsItAsABearerToken) {
    const std::string key = "sk-local-0123456789";
    FakeModelServer server;
    server.requireKey(key);
    const auto without = check(endpointAt(server.baseUrl()));
    EXPECT_EQ(without.unavailable, ModelUnavailable::needsKey);
    EXPECT_EQ(without.detail, "the model service answered HTTP 401 (it needs a key): Invalid API Key");
    const auto wrong = check(endpointAt(server.baseUrl(), "", "sk-wrong"));
    EXPECT_EQ(wrong.unavailable, ModelUnavailable::keyRefused);
    EXPECT_THAT(wrong.detail, testing::HasSubstr("it does not accept the key"));
    EXPECT_TRUE(check(endpointAt(server.baseUrl(), "", key)).available());

    // Even a service that repeats the key in its complaint never gets it into a log line.
    std::string log;
    LocalLLM llm(endpointAt(server.baseUrl(), "fake-model", key),
                 [&](const std::string& line) { log += line + "\n"; });
    server.enqueue({403, R"({"error":"key )" + key + R"( has expired"})", {}});
    server.enqueue(placed);
    EXPECT_FALSE(llm.place(song(), {0}, music(), {}));
    EXPECT_TRUE(llm.place(song(), {0}, music(), {}));
    EXPECT_THAT(log, testing::HasSubstr("HTTP 403 (it does not accept the key): key *** has expired"));
    EXPECT_THAT(log, testing::Not(testing::HasSubstr(key)));
    EXPECT_EQ(server.authorizations().back(), "Bearer " + key);
}

TEST(ModelServiceTest, ARefusalQuotesTheFirstLineOfTheServicesOwnWordsEscapedAndCapped) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {R"({"error":"model \"nomic-embed-text\" does not support chat"})",
         R"(: model "nomic-embed-text" does not support chat)"},
        {R"({"error":{"message":"Bad request\nat line 2","code":400}})", ": Bad request"},
        {R"({"detail":"Not Found"})", ": Not Found"},
        {"  plain\ttext\x01  \nsecond line", ": plain\\ttext\\x01"},
        {"", ""},
        {std::string(300, 'x'), ": " + std::string(200, 'x') + "…"}};
    for (const auto& [body, quoted] : cases) {
        EXPECT_EQ(refusal({400, body}, ""), "the model service answered HTTP 400" + quoted) << body;
    }
}

} // namespace
} // namespace vesk
