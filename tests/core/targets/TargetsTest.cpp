#include "core/targets/Targets.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::makeDir;
using test::TempDir;
using test::writeFile;

class TargetsTest : public ::testing::Test {
protected:
    std::vector<Target> find() const {
        return TargetFinder::find(discoveryRoots(home.path()), home.path());
    }

    TempDir home;
};

TEST_F(TargetsTest, RootsAreWalkedToTheirDepthInPreOrder) {
    writeFile(home / ".config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n");
    makeDir(home / "Library/Mobile Documents/com~apple~CloudDocs");
    const auto at = [&](const char* name, int depth) { return Root{home / name, depth}; };
    EXPECT_EQ(
        discoveryRoots(home.path()),
        (std::vector<Root>{at("Documents", 3), at("Desktop", 2), at("Pictures", 2), at("Videos", 2),
                           at("Music", 2), at("Library/Mobile Documents/com~apple~CloudDocs", 2)}));

    makeDir(home / "Documents/A/B/C/D");
    makeDir(home / "Documents/.git");
    makeDir(home / "Desktop/A/B/C");
    writeFile(home / "Pictures/Trips/rome.jpg");
    writeFile(home / "Music"); // not a folder: nothing to list
    makeDir(home / "Videos/Clips");
    makeDir(home / "Movies/Unused");
    int foldersRead = 0;
    std::vector<std::string> labels;
    for (const Target& target :
         TargetFinder::find(discoveryRoots(home.path()), home.path(), [&] { ++foldersRead; })) {
        labels.push_back(target.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Documents/A", "Documents/A/B", "Documents/A/B/C",
                                                "Desktop/A", "Desktop/A/B", "Pictures/Trips",
                                                "Videos/Clips"}));
    // Every target and every root but Music, which is a file and cannot be listed.
    EXPECT_EQ(foldersRead, static_cast<int>(labels.size()) + 5);
}

TEST_F(TargetsTest, ProjectsSkippedFoldersAndBundles) {
    writeFile(home / "Documents/app/index.html");
    makeDir(home / "Documents/app/node_modules/left-pad");
    makeDir(home / "Documents/app/build/out");
    makeDir(home / "Documents/app/Build/Assets");
    writeFile(home / "Documents/repo/.git/HEAD");
    writeFile(home / "Documents/repo/README.md");
    makeDir(home / "Documents/repo/src");
    makeDir(home / "Documents/Tool/Tool.xcodeproj");
    makeDir(home / "Documents/Tool/Sources");
    makeDir(home / "Desktop/Stuff/Tool.app/Contents/MacOS");
    writeFile(home / "Desktop/Stuff/.DS_Store");
    makeDir(home / "Desktop/Links");
    fs::create_directory_symlink(home.path(), home / "Desktop/Links/home"); // not entered

    auto targets = find();
    std::sort(targets.begin(), targets.end(),
              [](const Target& a, const Target& b) { return a.label < b.label; });
    const auto target = [&](const char* label, bool isProject, std::vector<std::string> names,
                            std::set<Kind> kinds) {
        return Target{home / label, label, isProject, names, kinds};
    };
    EXPECT_EQ(targets,
              (std::vector<Target>{target("Desktop/Links", false, {"home"}, {Kind::other}),
                                   target("Desktop/Stuff", false, {"Tool.app"}, {Kind::app}),
                                   target("Documents/Tool", true, {}, {Kind::other}), // .xcodeproj
                                   target("Documents/app", false, {"index.html"}, {Kind::code}),
                                   target("Documents/app/Build", false, {}, {}), // only subfolders
                                   target("Documents/app/Build/Assets", false, {}, {}),
                                   target("Documents/repo", true, {}, {Kind::text})}));
}

TEST_F(TargetsTest, KeepsTwoHundredNamesButKindsOfAllFiles) {
    const fs::path big = home / "Pictures/Big";
    // 20 PDFs, 20 names without extension, 460 photos.
    for (int i = 0; i < 500; ++i) {
        writeFile(big / (std::to_string(i) + (i < 20 ? ".pdf" : i < 40 ? "" : ".JPG")));
    }
    std::vector<std::string> listed;
    for (const auto& entry : fs::directory_iterator(big)) {
        listed.push_back(entry.path().filename().string());
    }
    listed.resize(200);

    const auto targets = find();
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets.front().siblingNames, listed);
    EXPECT_EQ(targets.front().kinds, (std::set<Kind>{Kind::image, Kind::pdf, Kind::other}));
}

} // namespace

void PrintTo(const Target& target, std::ostream* out) {
    *out << target.label << (target.isProject ? " (project), " : ", ") << target.siblingNames.size()
         << " names, " << target.kinds.size() << " kinds";
}

} // namespace vesk
