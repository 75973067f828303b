#include "CliProcess.h"

#include "app/Settings.h"
#include "support/Cjk.h"
#include "support/FakeModelServer.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>

namespace vesk {
namespace {

using test::runCli;
using ::testing::HasSubstr;
using Json = nlohmann::json;

class VeskCli : public ::testing::Test {
protected:
    // A screenshot, a duplicate download, an invoice close to a folder of invoices and a name
    // that matches nothing, in a home with its Pictures folder.
    VeskCli() {
        test::makeDir(home / "Pictures");
        for (const char* file : {"Documents/Invoices/Invoice Telenor March.pdf",
                                 "Documents/Invoices/Invoice Telenor April.pdf",
                                 "Documents/Recipes/Recipe lasagne.txt",
                                 "Downloads/Screenshot 2024-05-01 at 10.00.00.png",
                                 "Downloads/Invoice Telenor May.pdf", "Downloads/report.pdf",
                                 "Downloads/report (1).pdf", "Downloads/qqzz.bin"}) {
            test::writeFile(home / file);
        }
    }

    // `plan --json` of `planned` with the further arguments.
    Json plan(const std::filesystem::path& planned, const std::vector<std::string>& args,
              const std::vector<std::string>& environment = {}) {
        std::vector<std::string> all = {"plan", "--home", planned.string(), "--json"};
        all.insert(all.end(), args.begin(), args.end());
        const auto result = runCli(all, sandbox, environment);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return Json::parse(result.out);
    }

    static std::map<std::string, Json> byName(const Json& plan) {
        std::map<std::string, Json> suggestions;
        for (const auto& suggestion : plan["suggestions"]) {
            suggestions[suggestion["name"]] = suggestion;
        }
        return suggestions;
    }

    test::TempDir tmp;
    const std::filesystem::path& sandbox = tmp.path();
    const std::filesystem::path home = sandbox / "h";
    const std::filesystem::path demo = sandbox / "demo";
};

TEST_F(VeskCli, UsageErrorsExitWithTwoAndOneLine) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"plan", "--frobnicate"},
             {"plan", "--home"},
             {"plan", "--home", demo.string()},
             {"plan", "--home", (home / "Downloads/qqzz.bin").string()},
             {"plan", "--min-age", "soon"},
             {"undo", "--yes"},
             {"demo"},
             {"sort"}}) {
        const auto result = runCli(args, sandbox);
        EXPECT_EQ(result.exitStatus, 2) << args.back();
        EXPECT_TRUE(result.out.empty()) << args.back();
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(result.err.starts_with("vesk-cli: ")) << result.err;
    }
}

TEST_F(VeskCli, PlanJsonHasTheDocumentedShape) {
    const Json plan = this->plan(home, {"--min-age", "0", "--no-model"});
    for (const char* key :
         {"targets", "suggestions", "llmUnavailable", "profiledFolders", "llmCalls", "llmFailures",
          "llmSeconds", "contentReads", "qaApproved", "qaRejected", "qaFailed"}) {
        EXPECT_TRUE(plan.contains(key)) << key;
    }
    EXPECT_TRUE(plan["llmUnavailable"].is_null());
    ASSERT_EQ(plan["suggestions"].size(), 5u);
    for (const auto& suggestion : plan["suggestions"]) {
        for (const char* key : {"file", "name", "kind", "action", "destination", "layer",
                                "layerKey", "reasonCode", "target", "score", "reason"}) {
            EXPECT_TRUE(suggestion.contains(key)) << key;
        }
        EXPECT_EQ(suggestion["file"], (home / "Downloads" / suggestion["name"]).string());
    }

    auto suggestions = byName(plan);
    for (const auto& [name, action, destination, layer, reason] : std::vector<std::array<Json, 5>>{
             {"Screenshot 2024-05-01 at 10.00.00.png", "move", "Pictures/Screenshots", "rule",
              "screenshot"},
             {"report (1).pdf", "trash", nullptr, "rule", "duplicate"},
             {"Invoice Telenor May.pdf", "move", "Documents/Invoices", "match", "folderWords"},
             {"qqzz.bin", "ask", nullptr, "none", "notSimilar"}}) {
        const auto& suggestion = suggestions[name.get<std::string>()];
        EXPECT_EQ(suggestion["action"], action) << name;
        EXPECT_EQ(suggestion["destination"], destination) << name;
        EXPECT_EQ(suggestion["layerKey"], layer) << name;
        EXPECT_EQ(suggestion["reasonCode"], reason) << name;
    }
    EXPECT_EQ(suggestions["Screenshot 2024-05-01 at 10.00.00.png"]["kind"], "image");
    const auto& invoice = suggestions["Invoice Telenor May.pdf"];
    ASSERT_TRUE(invoice["target"].is_number());
    EXPECT_EQ(plan["targets"][invoice["target"].get<std::size_t>()], "Documents/Invoices");
    EXPECT_GE(invoice["score"].get<double>(), 0.45);
}

TEST_F(VeskCli, PlanTextGroupsByDestinationAndReportsAnUnavailableModel) {
    const auto result = runCli({"plan", "--home", home.string(), "--min-age", "0", "--model"},
                               sandbox, {"VESK_MODEL_URL=http://127.0.0.1:9/v1"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const auto& out = result.out;
    EXPECT_THAT(out, HasSubstr("Documents/Invoices (1)\n  Invoice Telenor May.pdf\n"));
    EXPECT_THAT(out, HasSubstr("Trash (1)\n  report (1).pdf\n      Duplicate download (same name "
                               "and size: report.pdf)  [① Rules]\n"));
    EXPECT_LT(out.find("Pictures/Screenshots"), out.find("Trash ("));
    EXPECT_LT(out.find("Trash ("), out.find("Needs your decision"));
    EXPECT_THAT(out, HasSubstr("Local model: The local model isn't available"));
}

TEST_F(VeskCli, DemoPlansAtOnceAndStoredSettingsApplyToItsHomeOnly) {
    const auto result = runCli({"demo", demo.string()}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("vesk-cli plan --home " + demo.string()));
    EXPECT_EQ(runCli({"demo", demo.string()}, sandbox).exitStatus, 1);
    std::set<std::string> layers;
    std::set<std::string> folders;
    const Json demoPlan = plan(demo, {});
    for (const auto& suggestion : demoPlan["suggestions"]) {
        layers.insert(suggestion["layerKey"].get<std::string>());
        folders.insert(std::filesystem::path(suggestion["file"].get<std::string>()).parent_path());
    }
    EXPECT_EQ(layers, (std::set<std::string>{"skip", "userFolder", "rule", "match", "names",
                                             "typeDefault", "none"}));
    EXPECT_EQ(folders, (std::set<std::string>{demo / "Downloads", demo / "Desktop"}));

    // The demo stored its sources and a minimum age of 0 in the store every --home shares.
    const Json stored = plan(home, {});
    ASSERT_EQ(stored["suggestions"].size(), 5u); // the five downloads, none of the demo's files
    for (const auto& suggestion : stored["suggestions"]) {
        EXPECT_NE(suggestion["action"], "keep") << suggestion["name"];
    }
    const Json overridden = plan(home, {"--min-age", "3"});
    for (const auto& suggestion : overridden["suggestions"]) {
        EXPECT_EQ(suggestion["action"], "keep") << suggestion["name"];
    }
    const auto other = test::writeFile(sandbox / "elsewhere/Screenshot 1.png").parent_path();
    const Json elsewhere = plan(home, {"--source", other.string()});
    ASSERT_EQ(elsewhere["suggestions"].size(), 1u);
    EXPECT_EQ(elsewhere["suggestions"][0]["name"], "Screenshot 1.png");
}

TEST_F(VeskCli, StoredFoldersToFileIntoAndTargetRootOptionsReplaceTheFoundOnes) {
    test::writeFile(home / "Archive/Invoices/Invoice Telenor January.pdf");
    test::writeFile(home / "Archive/Invoices/Invoice Telenor February.pdf");
    const auto targetsOf = [](const Json& planned) {
        std::set<std::string> firsts; // the root each target lies under
        for (const auto& label : planned["targets"]) {
            firsts.insert(label.get<std::string>().substr(0, label.get<std::string>().find('/')));
        }
        return firsts;
    };
    EXPECT_EQ(targetsOf(plan(home, {})), (std::set<std::string>{"Archive", "Documents"}));

    // As the settings window stores them (the store every --home shares).
    test::writeFile(sandbox / "config/vesk/app.vesk.Vesk.fixture.conf",
                    "[General]\ntargetRoots=" + (home / "Archive").string() + "\n");
    const Json stored = plan(home, {"--min-age", "0"});
    EXPECT_EQ(targetsOf(stored), std::set<std::string>{"Archive"});
    EXPECT_EQ(byName(stored)["Invoice Telenor May.pdf"]["destination"], "Archive/Invoices");

    const Json given =
        plan(home, {"--min-age", "0", "--target-root", (home / "Documents/").string(),
                    "--target-root", (home / "Documents").string()});
    EXPECT_EQ(targetsOf(given), std::set<std::string>{"Documents"});
    EXPECT_EQ(byName(given)["Invoice Telenor May.pdf"]["destination"], "Documents/Invoices");
}

TEST_F(VeskCli, AnAppImageMovesIntoTheHomesApplicationsFolderAndBackOnUndo) {
    const auto apps = sandbox / "apps";
    const auto appImage = test::writeFile(apps / "Downloads/Obsidian-1.5.3.AppImage", "ELF");
    const auto suggestion = plan(apps, {"--min-age", "0"})["suggestions"].at(0);
    EXPECT_EQ(suggestion["kind"], "app");
    EXPECT_EQ(suggestion["action"], "toApplications");
    EXPECT_EQ(suggestion["destination"], "Applications");
    EXPECT_THAT(runCli({"plan", "--home", apps.string(), "--min-age", "0"}, sandbox).out,
                HasSubstr("Applications (1)\n  Obsidian-1.5.3.AppImage\n"));

    auto result = runCli({"tidy", "--home", apps.string(), "--min-age", "0", "--yes"}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(test::readFile(apps / "Applications/Obsidian-1.5.3.AppImage"), "ELF");
    result = runCli({"undo", "--home", apps.string()}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(test::readFile(appImage), "ELF");
    EXPECT_FALSE(std::filesystem::exists(apps / "Applications"));
}

TEST_F(VeskCli, InstalledNamesComeFromTheHomesAndTheSystemsDesktopEntries) {
    const auto packaged = sandbox / "packaged";
    for (const char* file : {"code_1.85.1-1702462158_amd64.deb", "qwixel-desktop_2.0_amd64.deb",
                             "zzqqviewer_1.0_amd64.deb"}) {
        test::writeFile(packaged / "Downloads" / file);
    }
    test::writeFile(packaged / ".local/share/applications/code.desktop",
                    "[Desktop Entry]\nName=Visual Studio Code\n");
    test::writeFile(sandbox / "system/applications/chat.desktop", "[Desktop Entry]\nName=Qwixel\n");
    // The system's folders stay in the list: the MIME database lives there.
    const std::string dataDirs = "XDG_DATA_DIRS=" + (sandbox / "system").string() + ":/usr/share";
    const std::string installed = "appInstalled";
    auto suggestions = byName(plan(packaged, {"--min-age", "0"}, {dataDirs}));
    EXPECT_EQ(suggestions["code_1.85.1-1702462158_amd64.deb"]["reasonCode"], installed);
    EXPECT_EQ(suggestions["qwixel-desktop_2.0_amd64.deb"]["reasonCode"], installed);
    EXPECT_NE(suggestions["zzqqviewer_1.0_amd64.deb"]["reasonCode"], installed);

    suggestions = byName(plan(packaged, {"--min-age", "0"}));
    EXPECT_EQ(suggestions["code_1.85.1-1702462158_amd64.deb"]["reasonCode"], installed);
    EXPECT_NE(suggestions["qwixel-desktop_2.0_amd64.deb"]["reasonCode"], installed);
}

TEST_F(VeskCli, ATurnedOffModelIsReportedInLocalTerms) {
    const Json turnedOff = plan(home, {"--model"}, {"VESK_MODEL_URL=off"});
    EXPECT_EQ(turnedOff["llmUnavailable"], "The local model is turned off");
}

TEST_F(VeskCli, ThePlanSpeaksTheInterfaceLanguageAndDecidesAlike) {
    const std::vector<std::string> args = {"--min-age", "0", "--no-model"};
    // LANGUAGE comes first, as in the application; without it the locale variables decide.
    const Json english = plan(home, args, {"LANGUAGE=en"});
    const Json simplified = plan(home, args, {"LANGUAGE=zh_CN:en"});
    const Json traditional = plan(home, args, {"LC_ALL=", "LC_MESSAGES=", "LANG=zh_TW.UTF-8"});
    const auto decisions = [](const Json& plan) {
        Json kept = Json::array();
        for (const auto& s : plan["suggestions"]) {
            kept.push_back({s["name"], s["action"], s["destination"], s["target"], s["score"],
                            s["layerKey"], s["reasonCode"]});
        }
        return kept;
    };
    EXPECT_EQ(decisions(simplified), decisions(english));
    EXPECT_EQ(decisions(traditional), decisions(english));

    for (const auto& suggestion : english["suggestions"]) {
        EXPECT_FALSE(test::hasCjk(suggestion["reason"].get<std::string>())) << suggestion["reason"];
        EXPECT_FALSE(test::hasCjk(suggestion["layer"].get<std::string>())) << suggestion["layer"];
    }
    const std::string duplicate = "report (1).pdf";
    EXPECT_EQ(byName(english)[duplicate]["reason"],
              "Duplicate download (same name and size: report.pdf)");
    EXPECT_EQ(byName(simplified)[duplicate]["reason"], "重复下载（同名同大小：report.pdf）");
    EXPECT_EQ(byName(simplified)[duplicate]["layer"], "① 规则");
    EXPECT_EQ(byName(traditional)[duplicate]["reason"], "重複下載（同名同大小：report.pdf）");
    EXPECT_EQ(byName(traditional)[duplicate]["layer"], "① 規則");
    const Json invoice = byName(simplified)["Invoice Telenor May.pdf"];
    EXPECT_THAT(invoice["reason"].get<std::string>(),
                ::testing::MatchesRegex("和整个文件夹的用词相近 · 0\\.[0-9][0-9]"));
    EXPECT_EQ(invoice["layer"], "② 相似度");

    // The text for people too.
    const auto text = runCli({"plan", "--home", home.string(), "--min-age", "0", "--no-model"},
                             sandbox, {"LANGUAGE=zh_TW"});
    EXPECT_THAT(text.out, HasSubstr("      截圖  [① 規則]\n"));
}

// A desktop's numeric locale writes "0,51"; what Vesk writes keeps its decimal point.
TEST_F(VeskCli, NumbersKeepTheirDecimalPointUnderAGermanLocale) {
    const auto locales = sandbox / "locales";
    std::filesystem::create_directories(locales);
    const std::string generate =
        "localedef -i de_DE -f UTF-8 '" + (locales / "de_DE.UTF-8").string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(generate.c_str()), 0) << "the locales package is missing";
    // The locale is real: C's own formatting writes a comma under it. Asked of another
    // process, since loading a locale leaves memory behind in this one.
    const std::string printComma = "LOCPATH='" + locales.string() +
                                   "' LC_ALL=de_DE.UTF-8 /usr/bin/printf '%.2f' 0.51";
    FILE* const printed = popen(printComma.c_str(), "r");
    ASSERT_NE(printed, nullptr);
    std::array<char, 16> comma{};
    const std::size_t length = std::fread(comma.data(), 1, comma.size() - 1, printed);
    pclose(printed);
    ASSERT_EQ(std::string(comma.data(), length), "0,51");

    const std::vector<std::string> german = {
        "LOCPATH=" + locales.string(), "LC_ALL=", "LC_NUMERIC=de_DE.UTF-8", "LANG=en_US.UTF-8"};
    const Json json = plan(home, {"--min-age", "0", "--no-model"}, german);
    EXPECT_THAT(byName(json)["Invoice Telenor May.pdf"]["reason"].get<std::string>(),
                ::testing::MatchesRegex(".* · 0\\.[0-9][0-9]"));
    const auto text =
        runCli({"plan", "--home", home.string(), "--min-age", "0", "--no-model"}, sandbox, german);
    EXPECT_THAT(text.out, ::testing::ContainsRegex("· 0\\.[0-9][0-9]  \\[② Similarity\\]"));
    // Every file here has just arrived.
    const auto waiting =
        runCli({"plan", "--home", home.string(), "--min-age", "0.5", "--no-model", "--json"},
               sandbox, german);
    EXPECT_EQ(byName(Json::parse(waiting.out))["report.pdf"]["reason"],
              "Too new (0.0 days), left for now");
}

// What a person reads names this computer's things only: no other system's folders, files,
// services or words.
TEST_F(VeskCli, NoPrintedTextNamesAnotherPlatform) {
    const std::string dir = demo.string();
    std::string printed;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"},
                                               {"demo", dir},
                                               {"plan", "--home", dir, "--model"},
                                               {"plan", "--home", dir, "--json"},
                                               {"tidy", "--home", dir, "--yes"},
                                               {"history", "--home", dir},
                                               {"undo", "--home", dir},
                                               {"undo", "--home", dir},
                                               {"plan", "--frobnicate"}}) {
        const auto result = runCli(args, sandbox, {"VESK_MODEL_URL=http://127.0.0.1:9/v1"});
        printed += result.out + result.err;
    }
    EXPECT_THAT(printed, HasSubstr("Applications"));
    // The home's own Applications folder appears in paths; a root-level one must not.
    const std::regex foreign(
        R"(\b(Mac|macOS|Apple|Finder|Spotlight|iCloud|on-device|dmg)\b|(^|[^\w.-])/Applications)");
    std::smatch found;
    EXPECT_FALSE(std::regex_search(printed, found, foreign)) << found.str();
}

// Every entry below `root` but the support folder, with its contents.
std::map<std::string, std::string> snapshot(const std::filesystem::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const auto relative = entry.path().lexically_relative(root).string();
        if (!relative.starts_with(".vesk-app")) {
            tree[relative] = entry.is_directory() ? "<folder>" : test::readFile(entry.path());
        }
    }
    return tree;
}

TEST_F(VeskCli, TidyThenUndoPutsEveryFileBack) {
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
    for (const auto& record : tidied["moved"]) {
        EXPECT_TRUE(std::filesystem::exists(record["moved"].get<std::string>())) << record;
        EXPECT_FALSE(std::filesystem::exists(record["original"].get<std::string>())) << record;
    }
    EXPECT_TRUE(
        std::filesystem::exists(sandbox / "data/Trash/files/invoice-telenor-april (1).pdf"));

    const Json history =
        Json::parse(runCli({"history", "--home", demo.string(), "--json"}, sandbox).out);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0]["id"], tidied["batch"]);
    EXPECT_EQ(history[0]["files"], tidied["moved"].size());

    result = runCli({"undo", "--home", demo.string()}, sandbox);
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "Restored " + std::to_string(tidied["moved"].size()) + " files.\n");
    EXPECT_EQ(snapshot(demo), before);
    EXPECT_EQ(runCli({"undo", "--home", demo.string()}, sandbox).out, "Nothing to undo.\n");
}

TEST_F(VeskCli, TidyReportsFailuresAndExitsWithOne) {
    const auto screenshot = home / "Downloads/Screenshot 2024-05-01 at 10.00.00.png";
    test::writeFile(home / "Pictures/Screenshots"); // a file where the folder should be
    const auto result =
        runCli({"tidy", "--home", home.string(), "--min-age", "0", "--yes"}, sandbox);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_THAT(result.out, HasSubstr("failed  " + screenshot.string() + ": "));
    EXPECT_THAT(result.out,
                HasSubstr("moved   " + (home / "Downloads/Invoice Telenor May.pdf").string()));
    EXPECT_TRUE(std::filesystem::exists(screenshot));
}

TEST_F(VeskCli, TidyAndUndoTellWhatBecameOfTheHistory) {
    const auto history = home / ".vesk-app/history.json";
    test::writeFile(history / "mine.txt", "kept"); // a folder where the history belongs
    const auto run = [&](const std::string& command) {
        std::vector<std::string> args = {command, "--home", home.string()};
        if (command == "tidy") {
            args.insert(args.end(), {"--min-age", "0", "--yes"});
        }
        return runCli(args, sandbox);
    };
    auto result = run("tidy");
    EXPECT_EQ(result.exitStatus, 1) << result.out << result.err;
    EXPECT_THAT(result.out, HasSubstr("), so this tidy cannot be undone.\n"));
    EXPECT_THAT(result.out, ::testing::Not(HasSubstr("Undo with")));
    EXPECT_EQ(test::readFile(history / "mine.txt"), "kept");

    std::filesystem::remove_all(history);
    test::writeFile(history, "[{\"id\":");
    const auto june = test::writeFile(home / "Downloads/Invoice Telenor June.pdf");
    result = run("tidy");
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_THAT(result.out,
                HasSubstr("could not be read; it was kept as " + history.string() + ".corrupt-"));

    test::writeFile(june, "a new one");
    result = run("undo");
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_THAT(result.out, HasSubstr("renamed " + june.string() +
                                      " was taken; it came back as Invoice Telenor June 2.pdf\n"));
    EXPECT_THAT(result.out, ::testing::Not(HasSubstr("could not be read")));
}

// A model service for the demo home: it describes every folder, files the Kyoto booking in
// Japan 2023 and the boarding pass in Rome 2024 and nothing else, and in review keeps only the
// Kyoto booking where it is.
class VeskCliModel : public VeskCli {
protected:
    VeskCliModel() {
        EXPECT_EQ(runCli({"demo", demo.string()}, sandbox).exitStatus, 0);
        server.setHandler(travel);
    }

    static test::FakeModelServer::Reply travel(const nlohmann::ordered_json& request) {
        const auto& schema = request["response_format"]["json_schema"];
        const std::string prompt = request["messages"][1]["content"];
        if (schema["name"] == "Profiles") {
            auto folders = nlohmann::ordered_json::array();
            for (const auto& label : offered(request)) {
                folders.push_back({{"path", label},
                                   {"purpose", "Folder " + label.get<std::string>()},
                                   {"keywords", nlohmann::ordered_json::array()}});
            }
            return test::FakeModelServer::answer({{"folders", folders}});
        }
        const bool kyoto = prompt.find("Kyoto") != std::string::npos;
        if (schema["name"] == "Placement") {
            const bool boarding = prompt.find("Boarding") != std::string::npos;
            return test::FakeModelServer::answer(
                {{"what", "a travel document"},
                 {"folder", kyoto      ? "Documents/Travel/Japan 2023"
                            : boarding ? "Documents/Travel/Rome 2024"
                                       : "NONE"},
                 {"confidence", "high"}});
        }
        return test::FakeModelServer::answer(
            {{"english", "x"},
             {"what", "a travel document"},
             {"category",
              kyoto ? "Folder Documents/Travel/Japan 2023 (Japan 2023)" : "something else"}});
    }

    // What a request offers to choose from: folder labels, folders or review categories.
    static nlohmann::ordered_json offered(const nlohmann::ordered_json& request) {
        const auto& schema = request["response_format"]["json_schema"];
        const auto& properties = schema["schema"]["properties"];
        if (schema["name"] == "Profiles") {
            return properties["folders"]["items"]["properties"]["path"]["enum"];
        }
        return properties[schema["name"] == "Placement" ? "folder" : "category"]["enum"];
    }

    static bool asksAbout(const std::vector<nlohmann::ordered_json>& requests,
                          const std::string& name) {
        return std::any_of(requests.begin(), requests.end(), [&](const auto& request) {
            return request["messages"][1]["content"].template get<std::string>().find(
                       "\"" + name + "\"") != std::string::npos;
        });
    }

    // The requests made since the first `seen`.
    std::vector<nlohmann::ordered_json> requestsSince(std::size_t seen) const {
        const auto all = server.chatRequests();
        return {all.begin() + static_cast<std::ptrdiff_t>(seen), all.end()};
    }

    test::FakeModelServer server;
    const std::vector<std::string> model = {"VESK_MODEL_URL=" + server.baseUrl()};
};

TEST_F(VeskCliModel, ModelPlacesAndVetoes) {
    const Json first = plan(demo, {"--model"}, model);
    EXPECT_TRUE(first["llmUnavailable"].is_null());
    auto suggestions = byName(first);
    EXPECT_EQ(suggestions["Hotel booking Kyoto.pdf"]["layerKey"], "llm");
    EXPECT_EQ(suggestions["Hotel booking Kyoto.pdf"]["destination"], "Documents/Travel/Japan 2023");
    EXPECT_EQ(suggestions["Boarding pass Oslo Rome.pdf"]["action"], "ask");
    EXPECT_EQ(suggestions["Boarding pass Oslo Rome.pdf"]["reasonCode"], "vetoed");
    EXPECT_THAT(suggestions["Boarding pass Oslo Rome.pdf"]["reason"].get<std::string>(),
                ::testing::StartsWith(
                    "Vetoed on review (was Documents/Travel/Rome 2024, ③ Local Model): "));
    EXPECT_GT(first["profiledFolders"].get<int>(), 10);
    EXPECT_EQ(first["qaApproved"], 1);
    EXPECT_GE(first["qaRejected"].get<int>(), 1);
    EXPECT_EQ(first["llmCalls"], server.chatRequests().size());
}

// As the application does, vesk-cli asks the service the settings name; without a session to
// reach the secret service, its key comes from the environment.
TEST_F(VeskCliModel, TheServiceComesFromTheSettingsAndItsKeyFromTheEnvironment) {
    server.requireKey("s3cret");
    const QString store =
        QString::fromStdString((sandbox / "config/vesk/app.vesk.Vesk.fixture.conf").string());
    auto settings = Settings::load(store);
    ASSERT_TRUE(settings);
    settings->modelUrl = server.baseUrl();
    settings->model = "fake-model";
    ASSERT_TRUE(settings->save(store, Settings::modelPart));
    const std::string unset = "VESK_MODEL_URL="; // empty counts as unset

    EXPECT_THAT(plan(demo, {"--model"}, {unset})["llmUnavailable"].get<std::string>(),
                ::testing::StartsWith("The local model service needs a key: the model service "
                                      "answered HTTP 401"));
    const Json keyed = plan(demo, {"--model"}, {unset, "VESK_MODEL_KEY=s3cret"});
    EXPECT_TRUE(keyed["llmUnavailable"].is_null());
    EXPECT_GT(keyed["llmCalls"].get<int>(), 0);
    EXPECT_EQ(server.authorizations().back(), "Bearer s3cret");

    const Json elsewhere =
        plan(demo, {"--model"}, {"VESK_MODEL_URL=http://127.0.0.1:9/v1", "VESK_MODEL_KEY=s3cret"});
    EXPECT_THAT(elsewhere["llmUnavailable"].get<std::string>(),
                ::testing::StartsWith("The local model isn't available"));
}

TEST_F(VeskCliModel, AnUnchangedHomeIsNotAskedAgainAndAChangeAsksOnlyWhatItTouches) {
    const Json first = plan(demo, {"--model"}, model);
    ASSERT_GT(first["llmCalls"].get<int>(), 0);
    const auto firstRequests = server.chatRequests();

    // A new process: the folders come from the profile cache, the rest from the answers kept.
    const Json second = plan(demo, {"--model"}, model);
    EXPECT_EQ(second["llmCalls"], 0);
    EXPECT_EQ(second["profiledFolders"], first["profiledFolders"]);
    EXPECT_TRUE(second["suggestions"] == first["suggestions"]);

    // A touched file is a new file to the model; nothing else is asked.
    const auto touched = demo / "Downloads/Hotel booking Kyoto.pdf";
    std::filesystem::last_write_time(touched, std::filesystem::file_time_type::clock::now());
    auto seen = server.chatRequests().size();
    const Json third = plan(demo, {"--model"}, model);
    EXPECT_EQ(byName(third)["Hotel booking Kyoto.pdf"], byName(first)["Hotel booking Kyoto.pdf"]);
    const auto aboutTouched = requestsSince(seen);
    EXPECT_EQ(aboutTouched.size(), 2U); // placed, then reviewed
    for (const auto& request : aboutTouched) {
        EXPECT_TRUE(asksAbout({request}, "Hotel booking Kyoto.pdf"));
    }

    // A file added to a folder: only what offered that folder is asked again.
    test::writeFile(demo / "Documents/Travel/Rome 2024/Rome metro map.pdf");
    seen = server.chatRequests().size();
    const Json fourth = plan(demo, {"--model"}, model);
    const auto aboutRome = requestsSince(seen);
    EXPECT_GT(aboutRome.size(), 1U);
    // The photo and the note were asked about among other folders.
    for (const char* elsewhere : {"Rome Colosseum night.jpg", "todo.txt"}) {
        EXPECT_TRUE(asksAbout(firstRequests, elsewhere)) << elsewhere;
        EXPECT_FALSE(asksAbout(aboutRome, elsewhere)) << elsewhere;
    }
    for (const auto& request : aboutRome) {
        const auto choices = offered(request).dump();
        EXPECT_TRUE(choices.find("Documents/Travel/Rome 2024") != std::string::npos ||
                    choices.find("(Rome 2024)") != std::string::npos)
            << choices;
    }
    EXPECT_EQ(fourth["llmCalls"], aboutRome.size());
}

TEST_F(VeskCliModel, FoldersAndNamesThatAreNotUtf8AreDescribedOnce) {
    test::writeFile(demo / "Documents/Caf\xE9/Menu d\xE9jeuner.pdf");
    test::writeFile(demo / "Documents/Letters/R\xE9sum\xE9 2022.pdf");
    const Json first = plan(demo, {"--model"}, model);
    // Every folder but the code project is described.
    EXPECT_EQ(first["profiledFolders"].get<std::size_t>(), first["targets"].size() - 1);
    const Json second = plan(demo, {"--model"}, model);
    EXPECT_EQ(second["llmCalls"], 0);
    EXPECT_EQ(second["profiledFolders"], first["profiledFolders"]);
}

TEST_F(VeskCliModel, FoldersWhereTheCachesBelongCountAsEmptyAndStay) {
    for (const char* cache : {"folder-profiles.json", "model-answers.json"}) {
        test::writeFile(demo / ".vesk-app" / cache / "kept.txt");
    }
    const Json first = plan(demo, {"--model"}, model);
    EXPECT_GT(first["profiledFolders"].get<int>(), 10);
    // Nothing could be kept, so everything is asked again.
    EXPECT_EQ(plan(demo, {"--model"}, model)["llmCalls"], first["llmCalls"]);
    for (const char* cache : {"folder-profiles.json", "model-answers.json"}) {
        EXPECT_EQ(test::readFile(demo / ".vesk-app" / cache / "kept.txt"), "x") << cache;
    }
}

TEST_F(VeskCliModel, AFailingServiceIsCutShortLoggedOnOneLineEachAndAskedAgainNextTime) {
    // The first answer talks over several lines; every later one trickles in past its time.
    std::atomic<bool> broken = true;
    std::atomic<int> answered = 0;
    server.setHandler([&](const nlohmann::ordered_json& request) {
        if (!broken) {
            return travel(request);
        }
        if (answered++ == 0) {
            return test::FakeModelServer::answerText("I would say:\n- Travel\n- Finance");
        }
        auto slow = travel(request);
        slow.trickle = std::chrono::milliseconds(50);
        slow.padding = 10'000;
        return slow;
    });
    auto environment = model;
    environment.push_back("VESK_MODEL_TIMEOUT=0.3");
    const auto failed = runCli({"plan", "--home", demo.string(), "--json", "--model", "--verbose"},
                               sandbox, environment);
    ASSERT_EQ(failed.exitStatus, 0) << failed.err;
    const Json plan = Json::parse(failed.out);
    EXPECT_GT(plan["llmCalls"].get<int>(), 3);
    EXPECT_EQ(plan["llmFailures"], plan["llmCalls"]);
    // The third failure in a row cuts the requests still under way short, unreported: a few
    // may have started while the first three failed.
    EXPECT_GE(server.chatRequests().size(), 3U);
    EXPECT_LE(server.chatRequests().size(), 3U + 3U);
    EXPECT_NE(byName(plan)["Hotel booking Kyoto.pdf"]["layerKey"], "llm");
    EXPECT_THAT(failed.err, ::testing::MatchesRegex("(  \\[LLM\\] [^\n]+\n){4}"));
    EXPECT_THAT(failed.err, HasSubstr("I would say:\\n- Travel\\n- Finance"));
    EXPECT_THAT(failed.err, HasSubstr("within 0.3 s"));

    // Failures were not kept: the next run asks again, and places the booking.
    broken = false;
    const Json working = this->plan(demo, {"--model"}, model);
    EXPECT_EQ(byName(working)["Hotel booking Kyoto.pdf"]["layerKey"], "llm");
}

TEST_F(VeskCliModel, AListingThatTricklesInLeavesTheModelUnavailableAfterASecond) {
    server.setModelsReply({200, R"({"object":"list","data":[{"id":"fake-model"}]})",
                           std::chrono::milliseconds(0), std::chrono::milliseconds(50), 10'000});
    const Json closed = plan(demo, {"--model"}, {"VESK_MODEL_URL=http://127.0.0.1:9/v1"});
    EXPECT_EQ(closed["llmUnavailable"],
              "The local model isn't available: no answer from the model service (Connection)");
    EXPECT_EQ(plan(demo, {"--model"}, model)["llmUnavailable"],
              "The local model isn't available: no complete answer from the model service within "
              "1 s");
    // Without a stored choice the command line asks the service too, and goes without it.
    EXPECT_TRUE(plan(demo, {}, model)["llmUnavailable"].is_null());
    EXPECT_TRUE(server.chatRequests().empty());
}

} // namespace
} // namespace vesk
