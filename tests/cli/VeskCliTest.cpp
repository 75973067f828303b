#include "CliProcess.h"

#include "support/FakeModelServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <set>

namespace vesk {
namespace {

using test::runCli;
using Json = nlohmann::json;

class VeskCli : public ::testing::Test {
protected:
    // A home with a screenshot, a duplicate download, an invoice close to a folder of
    // invoices and a name that matches nothing.
    std::filesystem::path makeHome() {
        const auto home = sandbox / "h";
        test::writeFile(home / "Documents/Invoices/Invoice Telenor March.pdf");
        test::writeFile(home / "Documents/Invoices/Invoice Telenor April.pdf");
        test::writeFile(home / "Documents/Recipes/Recipe lasagne.txt");
        test::writeFile(home / "Downloads/Screenshot 2024-05-01 at 10.00.00.png");
        test::writeFile(home / "Downloads/Invoice Telenor May.pdf");
        test::writeFile(home / "Downloads/report.pdf", "same size");
        test::writeFile(home / "Downloads/report (1).pdf", "same size");
        test::writeFile(home / "Downloads/qqzz.bin");
        return home;
    }

    test::TempDir tmp;
    const std::filesystem::path& sandbox = tmp.path();
};

TEST_F(VeskCli, UsageErrorsExitWithTwoAndOneLine) {
    const auto home = makeHome();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"plan", "--frobnicate"},
             {"plan", "--home"},
             {"plan", "--home", (sandbox / "missing").string()},
             {"plan", "--home", (home / "Downloads/qqzz.bin").string()},
             {"plan", "--min-age", "soon"},
             {"undo", "--yes"},
             {"demo"},
             {"sort"},
         }) {
        const auto result = runCli(args, sandbox);
        EXPECT_EQ(result.exitStatus, 2) << args.back();
        EXPECT_TRUE(result.out.empty()) << args.back();
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(result.err.starts_with("vesk-cli: ")) << result.err;
    }
}

TEST_F(VeskCli, PlanJsonHasTheDocumentedShape) {
    const auto home = makeHome();
    const auto result =
        runCli({"plan", "--home", home.string(), "--min-age", "0", "--no-model", "--json"}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const Json plan = Json::parse(result.out);

    for (const char* key : {"targets", "suggestions", "llmUnavailable", "profiledFolders",
                            "llmCalls", "llmFailures", "llmSeconds", "contentReads",
                            "qaApproved", "qaRejected", "qaFailed"}) {
        EXPECT_TRUE(plan.contains(key)) << key;
    }
    EXPECT_TRUE(plan["llmUnavailable"].is_null());
    const auto& targets = plan["targets"];
    EXPECT_NE(std::find(targets.begin(), targets.end(), "Documents/Invoices"), targets.end());

    ASSERT_EQ(plan["suggestions"].size(), 5u);
    std::map<std::string, Json> byName;
    for (const auto& suggestion : plan["suggestions"]) {
        for (const char* key : {"file", "name", "kind", "action", "destination", "layer", "target",
                                "score", "reason"}) {
            EXPECT_TRUE(suggestion.contains(key)) << key;
        }
        EXPECT_EQ(suggestion["file"], (home / "Downloads" / suggestion["name"].get<std::string>()).string());
        byName[suggestion["name"]] = suggestion;
    }

    const auto& screenshot = byName["Screenshot 2024-05-01 at 10.00.00.png"];
    EXPECT_EQ(screenshot["action"], "move");
    EXPECT_EQ(screenshot["destination"], "Pictures/Screenshots");
    EXPECT_EQ(screenshot["layer"], "① 规则");
    EXPECT_EQ(screenshot["kind"], "image");
    EXPECT_TRUE(screenshot["target"].is_null());

    const auto& copy = byName["report (1).pdf"];
    EXPECT_EQ(copy["action"], "trash");
    EXPECT_TRUE(copy["destination"].is_null());

    const auto& invoice = byName["Invoice Telenor May.pdf"];
    EXPECT_EQ(invoice["action"], "move");
    EXPECT_EQ(invoice["destination"], "Documents/Invoices");
    EXPECT_EQ(invoice["layer"], "② 相似度");
    ASSERT_TRUE(invoice["target"].is_number());
    EXPECT_EQ(targets[invoice["target"].get<std::size_t>()], "Documents/Invoices");
    EXPECT_GE(invoice["score"].get<double>(), 0.45);

    EXPECT_EQ(byName["qqzz.bin"]["action"], "ask");
}

TEST_F(VeskCli, PlanTextGroupsByDestinationWithReasons) {
    const auto home = makeHome();
    const auto result = runCli({"plan", "--home", home.string(), "--min-age", "0"}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_NE(result.out.find("Documents/Invoices (1)\n  Invoice Telenor May.pdf\n"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("Trash (1)\n  report (1).pdf\n      重复下载（同名同大小：report.pdf）"),
              std::string::npos)
        << result.out;
    // The Trash and what needs a decision come after every folder.
    EXPECT_LT(result.out.find("Pictures/Screenshots"), result.out.find("Trash ("));
    EXPECT_LT(result.out.find("Trash ("), result.out.find("Needs your decision"));
}

TEST_F(VeskCli, StoredSettingsApplyAndOptionsOverrideThem) {
    const auto home = makeHome();
    // With the default minimum age of three days every fresh file is too new.
    auto result = runCli({"plan", "--home", home.string(), "--json"}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const Json fresh = Json::parse(result.out);
    for (const auto& suggestion : fresh["suggestions"]) {
        EXPECT_EQ(suggestion["action"], "keep");
    }

    const auto other = sandbox / "elsewhere";
    test::writeFile(other / "Screenshot 1.png");
    result = runCli({"plan", "--home", home.string(), "--source", other.string(), "--min-age", "0",
                     "--json"},
                    sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const Json plan = Json::parse(result.out);
    ASSERT_EQ(plan["suggestions"].size(), 1u);
    EXPECT_EQ(plan["suggestions"][0]["name"], "Screenshot 1.png");
}

TEST_F(VeskCli, DemoPreparesAHomeThatPlansAtOnce) {
    const auto demo = sandbox / "demo";
    auto result = runCli({"demo", demo.string()}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_NE(result.out.find("vesk-cli plan --home " + demo.string()), std::string::npos);

    result = runCli({"plan", "--home", demo.string(), "--json"}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    std::set<std::string> layers;
    std::set<std::string> folders;
    const Json plan = Json::parse(result.out);
    for (const auto& suggestion : plan["suggestions"]) {
        layers.insert(suggestion["layer"].get<std::string>());
        folders.insert(std::filesystem::path(suggestion["file"].get<std::string>()).parent_path());
    }
    for (const char* layer : {"跳过", "文件夹", "① 规则", "② 相似度", "② 类型默认", "—"}) {
        EXPECT_TRUE(layers.contains(layer)) << layer;
    }
    EXPECT_TRUE(folders.contains((demo / "Downloads").string()));
    EXPECT_TRUE(folders.contains((demo / "Desktop").string()));

    // A second demo never lands on top of the first.
    result = runCli({"demo", demo.string()}, sandbox);
    EXPECT_EQ(result.exitStatus, 1);
}

TEST_F(VeskCli, StoredSourcesOfAnotherHomeAreLeftAlone) {
    ASSERT_EQ(runCli({"demo", (sandbox / "demo").string()}, sandbox).exitStatus, 0);
    const auto home = makeHome();
    const auto result = runCli({"plan", "--home", home.string(), "--min-age", "0", "--json"}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const Json plan = Json::parse(result.out);
    ASSERT_FALSE(plan["suggestions"].empty());
    for (const auto& suggestion : plan["suggestions"]) {
        EXPECT_TRUE(suggestion["file"].get<std::string>().starts_with((home / "Downloads/").string()));
    }
}

// Every entry below `root` (but the support folder) with its contents.
std::map<std::string, std::string> snapshot(const std::filesystem::path& root) {
    std::map<std::string, std::string> tree;
    for (auto it = std::filesystem::recursive_directory_iterator(root);
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        const auto relative = it->path().lexically_relative(root).string();
        if (relative.starts_with(".vesk-app")) {
            it.disable_recursion_pending();
            continue;
        }
        tree[relative] = it->is_directory() ? "<folder>" : test::readFile(it->path());
    }
    return tree;
}

TEST_F(VeskCli, TidyThenUndoPutsEveryFileBack) {
    const auto demo = sandbox / "demo";
    ASSERT_EQ(runCli({"demo", demo.string()}, sandbox).exitStatus, 0);
    const auto before = snapshot(demo);

    // Without a terminal to ask on, nothing moves without --yes.
    auto result = runCli({"tidy", "--home", demo.string()}, sandbox);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(snapshot(demo), before);

    result = runCli({"tidy", "--home", demo.string(), "--yes", "--json"}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    const Json tidied = Json::parse(result.out);
    EXPECT_TRUE(tidied["failures"].empty());
    ASSERT_GT(tidied["moved"].size(), 20u);
    std::set<std::string> trashed;
    for (const auto& record : tidied["moved"]) {
        const std::string moved = record["moved"];
        EXPECT_TRUE(std::filesystem::exists(moved)) << moved;
        EXPECT_FALSE(std::filesystem::exists(record["original"].get<std::string>()));
        if (moved.starts_with((sandbox / "data/Trash/files/").string())) {
            trashed.insert(std::filesystem::path(moved).filename());
        }
    }
    EXPECT_TRUE(trashed.contains("invoice-telenor-april (1).pdf"));
    EXPECT_NE(snapshot(demo), before);

    result = runCli({"history", "--home", demo.string(), "--json"}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const Json history = Json::parse(result.out);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0]["id"], tidied["batch"]);
    EXPECT_EQ(history[0]["files"], tidied["moved"].size());

    result = runCli({"undo", "--home", demo.string()}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "Restored " + std::to_string(tidied["moved"].size()) + " files.\n");
    EXPECT_EQ(snapshot(demo), before);

    result = runCli({"undo", "--home", demo.string()}, sandbox);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "Nothing to undo.\n");
}

TEST_F(VeskCli, TidyReportsFailuresAndExitsWithOne) {
    const auto home = makeHome();
    // A plain file where the screenshot folder should be: that move cannot succeed.
    test::writeFile(home / "Pictures");
    const auto result = runCli({"tidy", "--home", home.string(), "--min-age", "0", "--yes"}, sandbox);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.out.find("failed  " + (home / "Downloads/Screenshot 2024-05-01 at 10.00.00.png").string() +
                              ": "),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("moved   " + (home / "Downloads/Invoice Telenor May.pdf").string()),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(std::filesystem::exists(home / "Downloads/Screenshot 2024-05-01 at 10.00.00.png"));
}

TEST_F(VeskCli, ModelPlacesAndVetoesAndTheProfileCacheIsReused) {
    const auto demo = sandbox / "demo";
    ASSERT_EQ(runCli({"demo", demo.string()}, sandbox).exitStatus, 0);

    test::FakeModelServer server;
    const auto requests = [&](const std::string& root) {
        int count = 0;
        for (const auto& request : server.chatRequests()) {
            count += request["response_format"]["json_schema"]["name"] == root ? 1 : 0;
        }
        return count;
    };
    server.setHandler([&](const nlohmann::ordered_json& request) {
        const std::string root = request["response_format"]["json_schema"]["name"];
        const std::string prompt = request["messages"][1]["content"];
        const auto& properties = request["response_format"]["json_schema"]["schema"]["properties"];
        if (root == "Profiles") {
            nlohmann::ordered_json folders = nlohmann::ordered_json::array();
            for (const auto& label : properties["folders"]["items"]["properties"]["path"]["enum"]) {
                folders.push_back({{"path", label}, {"purpose", "Folder " + label.get<std::string>()},
                                   {"keywords", nlohmann::ordered_json::array()}});
            }
            return test::FakeModelServer::answer({{"folders", folders}});
        }
        if (root == "Placement") {
            std::string folder = "NONE";
            for (const auto& label : properties["folder"]["enum"]) {
                const std::string text = label;
                if ((prompt.find("Kyoto") != std::string::npos && text.ends_with("Japan 2023")) ||
                    (prompt.find("Boarding") != std::string::npos && text.ends_with("Rome 2024"))) {
                    folder = text;
                }
            }
            return test::FakeModelServer::answer(
                {{"what", "a travel document"}, {"folder", folder}, {"confidence", "high"}});
        }
        // Reviews: the Kyoto booking keeps its folder; everything else is vetoed.
        std::string category = "something else";
        if (prompt.find("Kyoto") != std::string::npos) {
            category = "Folder Documents/Travel/Japan 2023 (Japan 2023)";
        }
        return test::FakeModelServer::answer(
            {{"english", "x"}, {"what", "a travel document"}, {"category", category}});
    });
    const std::vector<std::string> model = {"VESK_MODEL_URL=" + server.baseUrl()};

    auto result = runCli({"plan", "--home", demo.string(), "--model", "--json"}, sandbox, model);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    Json plan = Json::parse(result.out);
    EXPECT_TRUE(plan["llmUnavailable"].is_null());
    std::map<std::string, Json> byName;
    for (const auto& suggestion : plan["suggestions"]) {
        byName[suggestion["name"]] = suggestion;
    }
    const auto& kyoto = byName["Hotel booking Kyoto.pdf"];
    EXPECT_EQ(kyoto["layer"], "③ 本地 LLM");
    EXPECT_EQ(kyoto["destination"], "Documents/Travel/Japan 2023");
    const auto& boarding = byName["Boarding pass Oslo Rome.pdf"];
    EXPECT_EQ(boarding["action"], "ask");
    EXPECT_TRUE(boarding["reason"].get<std::string>().starts_with(
        "质检否决（原建议 Documents/Travel/Rome 2024，③ 本地 LLM）："))
        << boarding["reason"];
    EXPECT_GT(plan["profiledFolders"].get<int>(), 10);
    EXPECT_EQ(plan["qaApproved"], 1);
    EXPECT_GE(plan["qaRejected"].get<int>(), 1);
    EXPECT_EQ(plan["llmCalls"].get<int>(),
              requests("Profiles") + requests("Placement") + requests("Review"));
    const int profileRequests = requests("Profiles");
    const int placements = requests("Placement");
    EXPECT_GT(profileRequests, 0);

    // A new process has no memo, but the folders are described from the cache.
    result = runCli({"plan", "--home", demo.string(), "--model", "--json"}, sandbox, model);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    plan = Json::parse(result.out);
    EXPECT_EQ(requests("Profiles"), profileRequests);
    EXPECT_GT(plan["profiledFolders"].get<int>(), 10);
    EXPECT_GT(requests("Placement"), placements);
}

TEST_F(VeskCli, AnUnavailableModelIsReported) {
    const auto home = makeHome();
    const auto result = runCli({"plan", "--home", home.string(), "--min-age", "0", "--model"}, sandbox,
                               {"VESK_MODEL_URL=http://127.0.0.1:9/v1"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_NE(result.out.find("Local model: The on-device model isn't available"), std::string::npos)
        << result.out;
}

} // namespace
} // namespace vesk
