#include "CliProcess.h"

#include "support/Cjk.h"
#include "support/ScratchVolume.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <map>
#include <sys/wait.h>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::runCli;

// Screenshots go to Pictures/Screenshots by rule, so a tidy moves every one of them. One is
// large enough to be copied in several pieces.
std::map<std::string, std::string> screenshots() {
    std::map<std::string, std::string> files;
    for (int n = 10; n < 22; ++n) {
        const std::string name = "Screenshot 2024-05-01 at 10.00." + std::to_string(n) + ".png";
        files[name] = std::string(n == 10 ? 9U << 20U : 300U << 10U, static_cast<char>('a' + n));
    }
    return files;
}

class InterruptedTidy : public ::testing::Test {
protected:
    // A home whose Pictures is a folder of its own, or the person's long-standing link to a
    // folder on another volume.
    void makeHome(const fs::path& pictures) {
        fs::create_directories(home);
        fs::create_directories(pictures);
        if (pictures != home / "Pictures") {
            fs::create_symlink(pictures, home / "Pictures");
        }
        for (const auto& [name, contents] : files) {
            test::writeFile(home / "Downloads" / name, contents);
        }
    }

    test::ProcessResult cli(const std::string& command, const std::string& faultPoint = {}) {
        std::vector<std::string> args = {command, "--home", home.string()};
        if (command == "tidy") {
            args.insert(args.end(), {"--min-age", "0", "--yes"});
        }
        return runCli(args, sandbox.path(),
                      faultPoint.empty() ? std::vector<std::string>{}
                                         : std::vector{"VESK_FAULT_POINT=" + faultPoint});
    }

    // Every entry under the folders, by name; hidden ones too.
    std::multimap<std::string, fs::path> entries(const std::vector<fs::path>& roots) const {
        std::multimap<std::string, fs::path> found;
        for (const fs::path& root : roots) {
            for (const auto& entry : fs::recursive_directory_iterator(root)) {
                if (entry.is_regular_file() &&
                    entry.path().parent_path().filename() != ".vesk-app") {
                    found.emplace(entry.path().filename().string(), entry.path());
                }
            }
        }
        return found;
    }

    // Each file once, at its source or its destination, whole, and nothing else.
    void expectEachFileOnce(const fs::path& pictures, const std::string& when) const {
        const bool inHome = pictures == home / "Pictures";
        const auto found = entries(inHome ? std::vector{home} : std::vector{home, pictures});
        EXPECT_EQ(found.size(), files.size()) << when;
        for (const auto& [name, contents] : files) {
            ASSERT_EQ(found.count(name), 1U) << when << ": " << name;
            const fs::path at = found.find(name)->second;
            EXPECT_TRUE(at.parent_path() == home / "Downloads" ||
                        at.parent_path() == pictures / "Screenshots")
                << when << ": " << at;
            EXPECT_EQ(readFile(at), contents) << when << ": " << name;
        }
    }

    const std::map<std::string, std::string> files = screenshots();
    test::TempDir sandbox;
    const fs::path home = sandbox / "h";
};

TEST_F(InterruptedTidy, AKilledTidyOrUndoIsSettledByTheNextReaderAndUndoneWhole) {
    const auto volume = test::ScratchVolume::mount(64U << 20U);
    struct Case {
        std::string what;
        bool acrossVolumes;
        std::string killedCommand;
        std::string faultPoint;
    };
    std::vector<Case> cases = {{"tidy, after its 5th move", false, "tidy", "moved:5"},
                               {"undo, after its 5th move", false, "undo", "moved:5"}};
    if (volume) {
        cases.push_back({"tidy, between copy and unlink", true, "tidy", "copied:5"});
        cases.push_back({"tidy, during a copy", true, "tidy", "copying:3"});
        cases.push_back({"undo, between copy and unlink", true, "undo", "copied:5"});
    }
    for (const auto& [what, acrossVolumes, killedCommand, faultPoint] : cases) {
        fs::remove_all(home);
        const fs::path pictures = acrossVolumes ? *volume / what : home / "Pictures";
        makeHome(pictures);
        if (killedCommand == "undo") {
            ASSERT_EQ(cli("tidy").exitStatus, 0) << what;
        }

        EXPECT_EQ(cli(killedCommand, faultPoint).exitStatus, -1) << what << ": not killed";
        // The next reader settles what the kill left behind, and says so step by step in the
        // interface language.
        const auto read = runCli({"history", "--home", home.string(), "--verbose"}, sandbox.path());
        EXPECT_EQ(read.exitStatus, 0) << what;
        EXPECT_NE(read.err.find("recovered "), std::string::npos) << what;
        EXPECT_FALSE(test::hasCjk(read.err)) << what << ": " << read.err;
        expectEachFileOnce(pictures, what + ", then read");

        const auto undone = cli("undo");
        EXPECT_EQ(undone.exitStatus, 0) << what << ": " << undone.out << undone.err;
        expectEachFileOnce(pictures, what + ", then undone");
        for (const auto& [name, contents] : files) {
            EXPECT_EQ(readFile(home / "Downloads" / name), contents) << what << ": " << name;
        }
        EXPECT_FALSE(fs::exists(pictures / "Screenshots")) << what;
    }
    if (!volume) {
        GTEST_SKIP() << "moves across volumes need root, to mount a tmpfs";
    }
}

TEST_F(InterruptedTidy, StopSignalsEndATidyAfterTheFileInProgressWithEverythingRecorded) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        fs::remove_all(home);
        makeHome(home / "Pictures");
        // Stops itself after its third move, to be signalled there.
        const pid_t tidy =
            test::startCli({"tidy", "--home", home.string(), "--min-age", "0", "--yes", "--json"},
                           sandbox.path(), {"VESK_FAULT_POINT=moved:3:stop"});
        int status = 0;
        ASSERT_EQ(::waitpid(tidy, &status, WUNTRACED), tidy);
        ASSERT_TRUE(WIFSTOPPED(status));
        ::kill(tidy, signal);
        ::kill(tidy, SIGCONT);
        const auto result = test::finishCli(tidy, sandbox.path());
        EXPECT_EQ(result.exitStatus, 128 + signal) << result.err;

        const auto listed = runCli({"history", "--home", home.string(), "--json"}, sandbox.path());
        const auto history = nlohmann::json::parse(listed.out);
        ASSERT_EQ(history.size(), 1U) << signal;
        std::size_t recorded = 0;
        for (const auto& record : history[0]["records"]) {
            EXPECT_TRUE(fs::exists(record["moved"].get<std::string>())) << signal;
            ++recorded;
        }
        EXPECT_GE(recorded, 3U) << signal;
        expectEachFileOnce(home / "Pictures", "signal " + std::to_string(signal));
        EXPECT_EQ(entries({home / "Pictures"}).size(), recorded) << signal;
    }
}

} // namespace
} // namespace vesk
