#include "core/LocalLLM.h"

#include "support/FakeModelServer.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace vesk {
namespace {

using nlohmann::ordered_json;
using test::FakeModelServer;

ModelEndpoint endpointOf(const FakeModelServer& server) {
    ModelEndpoint endpoint;
    endpoint.url = server.baseUrl();
    return endpoint;
}

Target folder(const std::string& label, std::vector<std::string> names = {"a.txt"}) {
    return Target{"/home/u/" + label, label, false, std::move(names), {}};
}

ordered_json folderSchema(const ordered_json& request) {
    return request["response_format"]["json_schema"]["schema"]["properties"]["folders"];
}

std::vector<std::string> offeredLabels(const ordered_json& request) {
    return folderSchema(request)["items"]["properties"]["path"]["enum"]
        .get<std::vector<std::string>>();
}

// A service that describes every folder it is offered, except those in `skip`.
FakeModelServer::Handler describeAllBut(std::set<std::string> skip = {}) {
    return [skip](const ordered_json& request) {
        ordered_json folders = ordered_json::array();
        for (const auto& label : offeredLabels(request)) {
            if (!skip.contains(label)) {
                folders.push_back({{"path", label},
                                   {"purpose", "About " + label},
                                   {"keywords", {label + "-word"}}});
            }
        }
        return FakeModelServer::answer({{"folders", folders}});
    };
}

std::string prompt(const ordered_json& request) {
    const auto content = request["messages"][1]["content"].get<std::string>();
    return content.substr(0, content.find("\n\nAnswer with JSON"));
}

ordered_json readJson(const std::filesystem::path& file) {
    return ordered_json::parse(test::readFile(file), nullptr, false);
}

TEST(FolderProfilesTest, AsksEightFoldersPerRequestAndSkipsProjects) {
    FakeModelServer server;
    server.setHandler(describeAllBut());
    std::vector<Target> targets;
    for (int i = 0; i < 11; ++i) {
        targets.push_back(folder("F" + std::to_string(i)));
    }
    targets[3].isProject = true;
    test::TempDir dir;
    LocalLLM llm(false, endpointOf(server));

    const auto profiles = llm.profile(targets, dir / "folder-profiles.json", 8);

    EXPECT_EQ(profiles.size(), 10U);
    EXPECT_FALSE(profiles.contains(3));
    EXPECT_EQ(profiles.at(10), (Profile{"About F10", {"F10-word"}}));
    const auto requests = server.chatRequests();
    ASSERT_EQ(requests.size(), 2U);
    EXPECT_THAT(offeredLabels(requests[0]),
                testing::ElementsAre("F0", "F1", "F2", "F4", "F5", "F6", "F7", "F8"));
    EXPECT_THAT(offeredLabels(requests[1]), testing::ElementsAre("F9", "F10"));
    EXPECT_EQ(folderSchema(requests[1])["minItems"], 2);
    EXPECT_EQ(folderSchema(requests[1])["maxItems"], 2);
    EXPECT_EQ(folderSchema(requests[1])["items"]["properties"]["keywords"].dump(),
              R"({"type":"array","items":{"type":"string"},"maxItems":10,"description":)"
              R"("6-10 words a file belonging here might have in its name, in English and in )"
              R"(the folder's own language"})");
    EXPECT_EQ(requests[1]["response_format"]["json_schema"]["name"], "Profiles");
    EXPECT_EQ(prompt(requests[1]),
              "Describe each of these folders:\n- F9\n  files: a.txt\n- F10\n  files: a.txt");

    const auto cache = readJson(dir / "folder-profiles.json");
    EXPECT_EQ(cache.size(), 10U);
    EXPECT_FALSE(cache.contains("F3"));
    EXPECT_EQ(cache["F10"].dump(),
              R"({"signature":"a.txt","profile":{"purpose":"About F10","keywords":["F10-word"]}})");
}

TEST(FolderProfilesTest, DescribesEightSampleNamesCutToFortyCharacters) {
    FakeModelServer server;
    server.setHandler(describeAllBut());
    // "é" written as e + combining accent: 45 characters, 90 code points.
    std::string accented;
    for (int i = 0; i < 45; ++i) {
        accented += "e\u0301";
    }
    const std::vector<std::string> names{accented, "2", "3", "4", "5", "6", "7", "8", "9"};
    LocalLLM llm(false, endpointOf(server));

    EXPECT_EQ(llm.profile({folder("Full", names), folder("Empty", {})}, std::nullopt, 8).size(),
              2U);

    ASSERT_EQ(server.chatRequests().size(), 1U);
    EXPECT_EQ(prompt(server.chatRequests()[0]),
              "Describe each of these folders:\n- Full\n  files: " + accented.substr(0, 40 * 3) +
                  ", 2, 3, 4, 5, 6, 7, 8\n- Empty");
}

TEST(FolderProfilesTest, RetriesLeftOutFoldersAloneOnce) {
    FakeModelServer server;
    server.enqueue(FakeModelServer::answer(
        {{"folders",
          {{{"path", "A"}, {"purpose", "Old"}},
           {{"path", "Elsewhere"}, {"purpose", "Not offered"}},
           {{"path", "A"}, {"purpose", "Letters"}, {"keywords", {"letter"}}},
           {{"purpose", "No path"}}}}}));
    server.setHandler(describeAllBut({"C"}));
    test::TempDir dir;
    LocalLLM llm(false, endpointOf(server));

    const auto profiles =
        llm.profile({folder("A"), folder("B"), folder("C")}, dir / "profiles.json", 8);

    EXPECT_EQ(profiles, (Profiles{{0, {"Letters", {"letter"}}}, {1, {"About B", {"B-word"}}}}));
    const auto requests = server.chatRequests();
    ASSERT_EQ(requests.size(), 3U);
    EXPECT_THAT(offeredLabels(requests[1]), testing::ElementsAre("B"));
    EXPECT_THAT(offeredLabels(requests[2]), testing::ElementsAre("C"));
    EXPECT_EQ(llm.failures(), 0);
    const auto cache = readJson(dir / "profiles.json");
    EXPECT_TRUE(cache.contains("A") && cache.contains("B"));
    EXPECT_FALSE(cache.contains("C"));
}

TEST(FolderProfilesTest, CacheAnswersUnchangedFolders) {
    FakeModelServer server;
    server.setHandler(describeAllBut());
    test::TempDir dir;
    const auto cacheFile = dir / "folder-profiles.json";
    std::vector<Target> targets{folder("Docs", {"b.pdf", "a.pdf"}), folder("Music", {"x.mp3"}),
                                folder("Empty", {})};
    const auto first = LocalLLM(false, endpointOf(server)).profile(targets, cacheFile, 8);
    ASSERT_EQ(server.chatRequests().size(), 1U);
    EXPECT_THAT(test::readFile(cacheFile), testing::HasSubstr(R"("signature":"a.pdf\u001fb.pdf")"));
    EXPECT_EQ(readJson(cacheFile)["Empty"]["signature"], "");
    const auto written = readJson(cacheFile);

    // Listing order does not matter: nothing to ask, same members written again.
    std::swap(targets[0].siblingNames[0], targets[0].siblingNames[1]);
    LocalLLM again(false, endpointOf(server));
    EXPECT_EQ(again.profile(targets, cacheFile, 8), first);
    EXPECT_EQ(again.calls(), 0);
    EXPECT_EQ(readJson(cacheFile), written);

    targets[1].siblingNames.push_back("y.mp3");
    EXPECT_EQ(LocalLLM(false, endpointOf(server)).profile(targets, cacheFile, 8).size(), 3U);
    ASSERT_EQ(server.chatRequests().size(), 2U);
    EXPECT_THAT(offeredLabels(server.chatRequests()[1]), testing::ElementsAre("Music"));
    EXPECT_EQ(readJson(cacheFile)["Music"]["signature"], "x.mp3\x1fy.mp3");
}

TEST(FolderProfilesTest, DamagedCacheCountsAsEmptyAndIsReplaced) {
    for (const char* damaged :
         {"{\"Docs\":{\"signature\":\"a.txt\",\"profile\":{\"purpose\":\"Cached\"}}}",
          "{\"Docs\":", "[]"}) {
        FakeModelServer server;
        server.setHandler(describeAllBut());
        test::TempDir dir;
        const auto cacheFile = test::writeFile(dir / "folder-profiles.json", damaged);

        EXPECT_EQ(LocalLLM(false, endpointOf(server)).profile({folder("Docs")}, cacheFile, 8),
                  (Profiles{{0, {"About Docs", {"Docs-word"}}}}));
        EXPECT_EQ(server.chatRequests().size(), 1U) << damaged;
        EXPECT_EQ(readJson(cacheFile)["Docs"]["profile"]["purpose"], "About Docs");
    }
}

TEST(FolderProfilesTest, WithoutCacheLocationNothingIsWritten) {
    FakeModelServer server;
    server.setHandler(describeAllBut());
    test::TempDir dir;
    LocalLLM llm(false, endpointOf(server));

    EXPECT_EQ(llm.profile({folder("Docs")}, std::nullopt, 8).size(), 1U);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    // A run whose requests all fail still leaves a valid, empty cache.
    server.setHandler([](const ordered_json&) { return FakeModelServer::status(500); });
    EXPECT_EQ(llm.profile({folder("Docs")}, dir / "p.json", 8), Profiles{});
    EXPECT_EQ(test::readFile(dir / "p.json"), "{}");
}

} // namespace
} // namespace vesk
