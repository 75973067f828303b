#include "core/Targets.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::makeDir;
using test::TempDir;
using test::writeFile;

std::vector<std::string> labels(const std::vector<Target>& targets) {
    std::vector<std::string> result;
    for (const Target& target : targets) {
        result.push_back(target.label);
    }
    return result;
}

const Target& targetLabelled(const std::vector<Target>& targets, const std::string& label) {
    const auto found = std::find_if(targets.begin(), targets.end(),
                                    [&](const Target& target) { return target.label == label; });
    if (found == targets.end()) {
        throw std::runtime_error("no target " + label);
    }
    return *found;
}

class TargetsTest : public ::testing::Test {
protected:
    std::vector<Target> find() const {
        return TargetFinder::find(discoveryRoots(home.path()), home.path());
    }

    TempDir home;
};

TEST_F(TargetsTest, DiscoveryRootsFollowTheConfiguredFolders) {
    const auto at = [&](const char* name, int depth) { return Root{home / name, depth}; };
    EXPECT_EQ(discoveryRoots(home.path()),
              (std::vector<Root>{at("Documents", 3), at("Desktop", 2), at("Pictures", 2),
                                 at("Movies", 2), at("Music", 2)}));

    writeFile(home / ".config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n");
    makeDir(home / "Library/Mobile Documents/com~apple~CloudDocs");
    EXPECT_EQ(
        discoveryRoots(home.path()),
        (std::vector<Root>{at("Documents", 3), at("Desktop", 2), at("Pictures", 2), at("Videos", 2),
                           at("Music", 2), at("Library/Mobile Documents/com~apple~CloudDocs", 2)}));
}

TEST_F(TargetsTest, WalksEachRootToItsDepthInPreOrder) {
    makeDir(home / "Documents/A/B/C/D");
    makeDir(home / "Documents/.git");
    makeDir(home / "Desktop/A/B/C");
    writeFile(home / "Pictures/Trips/rome.jpg");
    writeFile(home / "Music"); // not a folder: nothing to list
    writeFile(home / ".config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n");
    makeDir(home / "Videos/Clips");
    makeDir(home / "Movies/Unused");

    const auto targets = find();
    EXPECT_EQ(labels(targets), (std::vector<std::string>{
                                   "Documents/A", "Documents/A/B", "Documents/A/B/C", "Desktop/A",
                                   "Desktop/A/B", "Pictures/Trips", "Videos/Clips"}));
    const Target& trips = targetLabelled(targets, "Pictures/Trips");
    EXPECT_EQ(trips.url, home / "Pictures/Trips");
    EXPECT_FALSE(trips.isProject);
    EXPECT_EQ(trips.siblingNames, std::vector<std::string>{"rome.jpg"});
    EXPECT_EQ(trips.kinds, std::set<Kind>{Kind::image});
}

TEST_F(TargetsTest, ProjectsAreOpaqueAndSkippedFoldersInvisible) {
    writeFile(home / "Documents/app/index.html");
    makeDir(home / "Documents/app/node_modules/left-pad");
    makeDir(home / "Documents/app/build/out");
    makeDir(home / "Documents/app/Build/Assets");
    writeFile(home / "Documents/repo/.git/HEAD");
    writeFile(home / "Documents/repo/README.md");
    makeDir(home / "Documents/repo/src");
    makeDir(home / "Documents/Tool/Tool.xcodeproj");
    makeDir(home / "Documents/Tool/Sources");

    auto found = labels(find());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found,
              (std::vector<std::string>{"Documents/Tool", "Documents/app", "Documents/app/Build",
                                        "Documents/app/Build/Assets", "Documents/repo"}));

    const auto targets = find();
    const Target& app = targetLabelled(targets, "Documents/app");
    EXPECT_EQ(app.siblingNames, std::vector<std::string>{"index.html"});
    EXPECT_EQ(app.kinds, std::set<Kind>{Kind::code});
    const Target& build = targetLabelled(targets, "Documents/app/Build");
    EXPECT_TRUE(build.siblingNames.empty());
    EXPECT_TRUE(build.kinds.empty());
    const Target& repo = targetLabelled(targets, "Documents/repo");
    EXPECT_TRUE(repo.isProject);
    EXPECT_TRUE(repo.siblingNames.empty());
    EXPECT_EQ(repo.kinds, std::set<Kind>{Kind::text});
    EXPECT_TRUE(targetLabelled(targets, "Documents/Tool").isProject);
}

TEST_F(TargetsTest, KeepsTwoHundredNamesButKindsOfAllFiles) {
    const fs::path big = home / "Pictures/Big";
    for (int i = 0; i < 20; ++i) {
        writeFile(big / ("scan " + std::to_string(i) + ".pdf"));
        writeFile(big / ("NOTES" + std::to_string(i)));
    }
    for (int i = 0; i < 460; ++i) {
        writeFile(big / ("photo " + std::to_string(i) + ".JPG"));
    }
    std::vector<std::string> listed;
    for (const auto& entry : fs::directory_iterator(big)) {
        listed.push_back(entry.path().filename().string());
    }
    listed.resize(200);

    const auto targets = find();
    const Target& target = targetLabelled(targets, "Pictures/Big");
    EXPECT_EQ(target.siblingNames, listed);
    EXPECT_EQ(target.kinds, (std::set<Kind>{Kind::image, Kind::pdf, Kind::other}));
}

TEST_F(TargetsTest, BundlesAndLinksCountAsFilesAndAreNotEntered) {
    makeDir(home / "Desktop/Stuff/Tool.app/Contents/MacOS");
    writeFile(home / "Desktop/Stuff/.DS_Store");
    fs::create_directory_symlink(home.path(), home / "Desktop/Stuff/home");

    const auto targets = find();
    EXPECT_EQ(labels(targets), std::vector<std::string>{"Desktop/Stuff"});
    std::vector<std::string> names = targets.front().siblingNames;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Tool.app", "home"}));
    EXPECT_EQ(targets.front().kinds, (std::set<Kind>{Kind::app, Kind::other}));
}

} // namespace
} // namespace vesk
