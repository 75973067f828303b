#include "core/model/FolderProfiles.h"
#include "core/model/LocalLLM.h"

#include "support/FakeModelServer.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace vesk {
namespace {

using nlohmann::ordered_json;
using test::FakeModelServer;

ModelEndpoint endpointOf(const FakeModelServer& server) {
    return {.url = server.baseUrl(), .model = ""};
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

// Reads the cache, profiles and writes the cache back, as a run of the organizer does.
Profiles profileWith(LocalLLM& llm, const std::vector<Target>& targets,
                     const std::optional<std::filesystem::path>& cache) {
    const auto loaded = cache ? loadProfileCache(*cache) : ProfileCache{};
    const auto signatures = folderSignatures(targets);
    auto profiles = FolderProfiles::profile(llm, targets, signatures, loaded, 8);
    if (cache) {
        saveProfileCache(*cache, profiles, targets, signatures);
    }
    return profiles;
}

// One client, one call.
Profiles profileOnce(const FakeModelServer& server, const std::vector<Target>& targets,
                     const std::optional<std::filesystem::path>& cache) {
    LocalLLM llm(endpointOf(server));
    return profileWith(llm, targets, cache);
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

ordered_json readJson(const std::filesystem::path& file) {
    return ordered_json::parse(test::readFile(file), nullptr, false);
}

TEST(FolderProfilesTest, AsksEightFoldersPerRequestAndSkipsProjects) {
    FakeModelServer server;
    server.setHandler(describeAllBut());
    std::vector<Target> targets;
    for (int i = 0; i < 10; ++i) {
        targets.push_back(folder("F" + std::to_string(i)));
    }
    targets[3].isProject = true;
    // "é" written as e + combining accent: 45 characters, 90 code points.
    std::string accented;
    for (int i = 0; i < 45; ++i) {
        accented += "e\u0301";
    }
    targets.push_back(folder("F10", {accented, "2", "3", "4", "5", "6", "7", "8", "9"}));
    targets.push_back(folder("F11", {}));
    test::TempDir dir;

    const auto profiles = profileOnce(server, targets, dir / "folder-profiles.json");

    EXPECT_EQ(profiles.size(), 11U);
    auto requests = server.chatRequests();
    ASSERT_EQ(requests.size(), 2U);
    // Both requests are under way at once, so either may come first.
    std::sort(requests.begin(), requests.end(), [](const auto& a, const auto& b) {
        return offeredLabels(a).size() > offeredLabels(b).size();
    });
    EXPECT_THAT(offeredLabels(requests[0]),
                testing::ElementsAre("F0", "F1", "F2", "F4", "F5", "F6", "F7", "F8"));
    EXPECT_THAT(offeredLabels(requests[1]), testing::ElementsAre("F9", "F10", "F11"));
    EXPECT_EQ(folderSchema(requests[1])["minItems"], 3);
    EXPECT_EQ(folderSchema(requests[1])["maxItems"], 3);
    const auto user = requests[1]["messages"][1]["content"].get<std::string>();
    EXPECT_EQ(user.substr(0, user.find("\n\nAnswer with JSON")),
              "Describe each of these folders:\n- F9\n  files: a.txt\n- F10\n  files: " +
                  accented.substr(0, 40 * 3) + ", 2, 3, 4, 5, 6, 7, 8\n- F11");

    const auto cache = readJson(dir / "folder-profiles.json");
    EXPECT_EQ(cache.size(), 11U);
    EXPECT_FALSE(cache.contains("F3"));
    EXPECT_EQ(cache["F11"].dump(),
              R"({"signature":"","profile":{"purpose":"About F11","keywords":["F11-word"]}})");
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
    LocalLLM llm(endpointOf(server));

    EXPECT_EQ(
        FolderProfiles::profile(llm, {folder("A"), folder("B"), folder("C")}, {"a.txt", "a.txt", "a.txt"}, ProfileCache{}, 8),
        (Profiles{{0, {"Letters", {"letter"}}}, {1, {"About B", {"B-word"}}}}));
    const auto requests = server.chatRequests();
    ASSERT_EQ(requests.size(), 3U);
    EXPECT_THAT(offeredLabels(requests[1]), testing::ElementsAre("B"));
    EXPECT_THAT(offeredLabels(requests[2]), testing::ElementsAre("C"));
    EXPECT_EQ(llm.failures(), 0);
}

TEST(FolderProfilesTest, CacheAnswersUnchangedFoldersAndKeepsOnlyCurrentOnes) {
    FakeModelServer server;
    server.setHandler(describeAllBut());
    test::TempDir dir;
    const auto cacheFile = dir / "folder-profiles.json";
    std::vector<Target> targets{folder("Docs", {"b.pdf", "a.pdf"}), folder("Music", {"x.mp3"}),
                                folder("Gone")};
    const auto first = profileOnce(server, targets, cacheFile);

    // Listing order does not matter; changed names are asked again; a gone folder is dropped.
    std::swap(targets[0].siblingNames[0], targets[0].siblingNames[1]);
    targets[1].siblingNames.push_back("y.mp3");
    targets.pop_back();
    LocalLLM again(endpointOf(server));
    const auto second = profileWith(again, targets, cacheFile);
    EXPECT_EQ(second.at(0), first.at(0));
    EXPECT_EQ(again.calls(), 1);
    ASSERT_EQ(server.chatRequests().size(), 2U);
    EXPECT_THAT(offeredLabels(server.chatRequests()[1]), testing::ElementsAre("Music"));
    const auto cache = readJson(cacheFile);
    EXPECT_EQ(cache.size(), 2U);
    EXPECT_EQ(cache["Music"]["signature"], "x.mp3\x1fy.mp3");
}

TEST(FolderProfilesTest, DamagedCacheCountsAsEmptyAndIsReplaced) {
    FakeModelServer server;
    server.setHandler(describeAllBut());
    test::TempDir dir;
    const auto cacheFile = dir / "folder-profiles.json";
    for (const char* damaged :
         {"{\"Docs\":{\"signature\":\"a.txt\",\"profile\":{\"purpose\":\"Cached\"}}}",
          "{\"Docs\":", "[]"}) {
        test::writeFile(cacheFile, damaged);
        LocalLLM llm(endpointOf(server));
        EXPECT_EQ(profileWith(llm, {folder("Docs")}, cacheFile),
                  (Profiles{{0, {"About Docs", {"Docs-word"}}}}))
            << damaged;
        EXPECT_EQ(llm.calls(), 1);
        EXPECT_EQ(readJson(cacheFile)["Docs"]["profile"]["purpose"], "About Docs");
    }
    // A folder where the cache belongs counts as an empty cache and is never replaced.
    test::writeFile(dir / "taken.json/kept.txt");
    EXPECT_EQ(profileOnce(server, {folder("Docs")}, dir / "taken.json").size(), 1U);
    EXPECT_EQ(test::readFile(dir / "taken.json/kept.txt"), "x");

    // A run whose requests all fail still leaves a valid, empty cache.
    server.setHandler([](const ordered_json&) { return FakeModelServer::status(500); });
    EXPECT_EQ(profileOnce(server, {folder("Docs")}, dir / "p.json"), Profiles{});
    EXPECT_EQ(test::readFile(dir / "p.json"), "{}");
}

TEST(FolderProfilesTest, NamesThatAreNotUtf8AreDescribedOnceAndTellApart) {
    FakeModelServer server;
    server.setHandler(describeAllBut());
    test::TempDir dir;
    const auto cacheFile = dir / "folder-profiles.json";
    // Latin-1 names, and names that spell out such bytes with a "%".
    std::vector<Target> targets{folder("Latin", {"r\xE9sum\xE9.pdf", "100% done.txt"}),
                                folder("Spelled", {"r%E9sum%E9.pdf"}), folder("Caf\xE9")};
    EXPECT_EQ(profileOnce(server, targets, cacheFile).size(), 3U);
    EXPECT_EQ(profileOnce(server, targets, cacheFile).size(), 3U);
    EXPECT_EQ(server.chatRequests().size(), 1U);

    // Each folder now holds the other's way of writing the name: both are described again.
    std::swap(targets[0].siblingNames[0], targets[1].siblingNames[0]);
    EXPECT_EQ(profileOnce(server, targets, cacheFile).size(), 3U);
    ASSERT_EQ(server.chatRequests().size(), 2U);
    EXPECT_THAT(offeredLabels(server.chatRequests()[1]), testing::ElementsAre("Latin", "Spelled"));
}

} // namespace
} // namespace vesk
