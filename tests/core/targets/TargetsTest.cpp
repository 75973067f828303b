#include "core/targets/Targets.h"
#include "core/targets/DiscoveryRoots.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
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
        return TargetFinder::find(discoveryRoots(home.path(), {}), home.path());
    }

    TempDir home;
};

TEST_F(TargetsTest, DiscoveryFindsTheFoldersThePersonMadeInTheHome) {
    writeFile(home / ".config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n"
                                               "XDG_DOWNLOAD_DIR=\"$HOME/Téléchargements\"\n"
                                               "XDG_PUBLICSHARE_DIR=\"$HOME/Public\"\n");
    for (const char* folder : {"Documents",
                               "Desktop",
                               "Pictures",
                               "Videos",
                               "Books",
                               "Movies",
                               "Inbox",
                               "Nextcloud",
                               "Dropbox (Personal)",
                               "OneDrive - Contoso",
                               "Nextcloud2",
                               "Synchronised",
                               "Projects",
                               "Téléchargements",
                               "Downloads",
                               "Public",
                               "Templates",
                               "Applications",
                               "snap",
                               "go",
                               "node_modules",
                               ".local",
                               "Library/Mobile Documents/com~apple~CloudDocs"}) {
        makeDir(home / folder);
    }
    writeFile(home / "Music"); // a file
    writeFile(home / "notes.txt");
    makeDir(home / "Projects/app/.git"); // a folder of projects is no project itself
    makeDir(home / "weather-app/.git");
    writeFile(home / "tools/Cargo.toml");
    writeFile(home / "venv-ml/pyvenv.cfg");
    makeDir(home / "miniconda-env/conda-meta");
    fs::create_directory_symlink(home / "Books", home / "Books link");

    auto roots = discoveryRoots(home.path(), {home / "Inbox/"});
    const auto at = [&](const char* name, int depth) { return Root{home / name, depth}; };
    // The well-known folders first, in their order; the others as the home lists them.
    ASSERT_GE(roots.size(), 4U);
    EXPECT_EQ(std::vector<Root>(roots.begin(), roots.begin() + 4),
              (std::vector<Root>{at("Documents", 3), at("Desktop", 2), at("Pictures", 2),
                                 at("Videos", 2)}));
    std::sort(roots.begin() + 4, roots.end(),
              [](const Root& a, const Root& b) { return a.folder < b.folder; });
    EXPECT_EQ(
        std::vector<Root>(roots.begin() + 4, roots.end()),
        (std::vector<Root>{at("Books", 2), at("Dropbox (Personal)", 3), at("Library", 2),
                           at("Movies", 2), at("Nextcloud", 3), at("Nextcloud2", 3),
                           at("OneDrive - Contoso", 3), at("Projects", 2), at("Synchronised", 2)}));
}

TEST_F(TargetsTest, ChosenRootsGetDiscoveryDepthsAndNestedRootsOfferAFolderOnce) {
    writeFile(home / ".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(chosenRoots({home / "Dokumente/", home / "Documents", home / "sync",
                           home / "Work/./Clients", home / "Work/Clients"},
                          home.path()),
              (std::vector<Root>{{home / "Dokumente", 3},
                                 {home / "Documents", 2},
                                 {home / "sync", 3},
                                 {home / "Work/Clients", 2}}));

    makeDir(home / "Work/Clients/Acme/2024/Q1");
    std::vector<std::string> labels;
    for (const Target& target : TargetFinder::find(
             chosenRoots({home / "Work", home / "Work/Clients"}, home.path()), home.path())) {
        labels.push_back(target.label);
    }
    // Work/Clients/Acme/2024 comes from the inner root, which reaches a level deeper.
    EXPECT_EQ(labels, (std::vector<std::string>{"Work/Clients", "Work/Clients/Acme",
                                                "Work/Clients/Acme/2024"}));
}

TEST_F(TargetsTest, RootsAreWalkedToTheirDepthInPreOrder) {
    makeDir(home / "Documents/A/B/C/D");
    makeDir(home / "Documents/.git");
    makeDir(home / "Desktop/A/B/C");
    writeFile(home / "Pictures/Trips/rome.jpg");
    const std::vector<Root> roots{{home / "Documents", 3},
                                  {home / "Desktop", 2},
                                  {home / "Pictures", 2},
                                  {home / "Music", 2}};
    writeFile(home / "Music"); // not a folder: nothing to list
    int foldersRead = 0;
    std::vector<std::string> labels;
    const auto folderRead = [&](const TargetFinder::FolderListed& listed) {
        foldersRead += listed.digest ? 1 : 0;
    };
    for (const Target& target : TargetFinder::find(roots, home.path(), folderRead)) {
        labels.push_back(target.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Documents/A", "Documents/A/B", "Documents/A/B/C",
                                                "Desktop/A", "Desktop/A/B", "Pictures/Trips"}));
    // Every target and every root but Music, which is a file and cannot be listed.
    EXPECT_EQ(foldersRead, static_cast<int>(labels.size()) + 3);
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

    const auto targets = find();
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets.front().siblingNames,
              std::vector<std::string>(listed.begin(), listed.begin() + 200));
    EXPECT_EQ(targets.front().kinds, (std::set<Kind>{Kind::image, Kind::pdf, Kind::other}));

    // The names beyond the two hundred, up to the cap, for whoever wants the whole folder.
    const auto withNames =
        TargetFinder::findWithNames(discoveryRoots(home.path(), {}), home.path(), 250);
    EXPECT_EQ(withNames.targets, targets);
    EXPECT_EQ(withNames.moreNames, (std::vector<std::vector<std::string>>{std::vector<std::string>(
                                       listed.begin() + 200, listed.begin() + 250)}));
}

// Below the walk's depth, the names of a target's whole subtree: nearest first, up to a cap,
// never from hidden or skipped folders or from inside a code project.
TEST_F(TargetsTest, NamesBelowTheDepthComeNearestFirstAndNeverFromAProject) {
    const fs::path deepest = home / "Documents/A/B/C";
    writeFile(deepest / "c.txt");
    writeFile(deepest / "D/d.txt");
    writeFile(deepest / "D/E/e.txt");
    writeFile(deepest / "F/f.txt");
    writeFile(deepest / "D/.hidden/h.txt");
    writeFile(deepest / "D/.h.txt");
    writeFile(deepest / "node_modules/m.txt");
    writeFile(deepest / "D/tool/.git/HEAD");
    writeFile(deepest / "D/tool/main.py");
    writeFile(deepest / "F/site/package.json");
    writeFile(deepest / "F/site/index.js");
    writeFile(home / "Documents/code/.git/HEAD");
    writeFile(home / "Documents/code/src/lib.cpp");

    const auto found =
        TargetFinder::findWithNames(discoveryRoots(home.path(), {}), home.path(), 10);
    std::map<std::string, std::vector<std::string>> more;
    for (std::size_t t = 0; t < found.targets.size(); ++t) {
        more[found.targets[t].label] = found.moreNames[t];
    }
    // D and F before anything inside them; each folder's files in listing order.
    const auto& names = more["Documents/A/B/C"];
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.begin() + 2),
              (std::set<std::string>{"d.txt", "f.txt"}));
    EXPECT_EQ(names[2], "e.txt");
    EXPECT_TRUE(more["Documents/A"].empty()); // its sub-folders are targets of their own
    EXPECT_TRUE(more["Documents/code"].empty());

    // The cap counts the target's own files.
    const auto capped =
        TargetFinder::findWithNames(discoveryRoots(home.path(), {}), home.path(), 2);
    for (std::size_t t = 0; t < capped.targets.size(); ++t) {
        if (capped.targets[t].label == "Documents/A/B/C") {
            EXPECT_EQ(capped.moreNames[t].size(), 1u);
        }
    }
}

} // namespace

void PrintTo(const Target& target, std::ostream* out) {
    *out << target.label << (target.isProject ? " (project), " : ", ") << target.siblingNames.size()
         << " names, " << target.kinds.size() << " kinds";
}

} // namespace vesk
