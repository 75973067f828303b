#include "core/Rules.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>

namespace vesk {
namespace {

using test::makeDir;
using test::TempDir;
using test::writeFile;

const Date fixedNow = fromReferenceSeconds(740'000'000);

FileItem itemAt(const std::filesystem::path& url, Kind kind, double ageDays,
                std::int64_t size = 1000) {
    FileItem item;
    item.url = url;
    item.name = url.filename().string();
    const auto dot = item.name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        for (char c : item.name.substr(dot + 1)) {
            item.ext += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    item.isDirectory = kind == Kind::folder;
    item.kind = kind;
    item.size = size;
    item.added = fixedNow - std::chrono::duration_cast<Clock::duration>(
                                std::chrono::duration<double>(ageDays * 86400));
    return item;
}

FileItem download(const std::string& name, Kind kind, double ageDays = 10,
                  std::int64_t size = 1000) {
    return itemAt("/home/u/Downloads/" + name, kind, ageDays, size);
}

class RulesTest : public ::testing::Test {
protected:
    std::optional<Suggestion> apply(const FileItem& item) const { return rules.apply(item); }

    // The reason of the suggestion, with its action and layer checked on the way.
    std::string reasonOf(const FileItem& item, Action action, Layer layer) const {
        const auto suggestion = apply(item);
        if (!suggestion) {
            ADD_FAILURE() << item.name << ": no suggestion";
            return {};
        }
        EXPECT_EQ(suggestion->action, action) << item.name;
        EXPECT_EQ(suggestion->layer, layer) << item.name;
        EXPECT_EQ(suggestion->item, item);
        EXPECT_FALSE(suggestion->target.has_value());
        EXPECT_FALSE(suggestion->score.has_value());
        return suggestion->reason;
    }

    TempDir home;
    Rules rules{{}, {}, 3, home.path(), fixedNow};
};

TEST_F(RulesTest, UnfinishedDownloadsAndFoldersAreKeptWhateverTheirAge) {
    EXPECT_EQ(
        reasonOf(download("movie.mp4.crdownload", Kind::other, 0.1), Action::keep(), Layer::skip),
        "正在下载");
    EXPECT_EQ(
        reasonOf(download("Project", Kind::folder, 2.0 / 24), Action::keep(), Layer::userFolder),
        "文件夹，默认保持原样");
}

TEST_F(RulesTest, TooNewFilesWaitUntilTheMinimumAge) {
    EXPECT_EQ(reasonOf(download("report.pdf", Kind::pdf, 2.5), Action::keep(), Layer::skip),
              "太新（2.5 天），暂不处理");
    EXPECT_EQ(apply(download("report.pdf", Kind::pdf, 3.0)), std::nullopt);

    FileItem undated = download("report.pdf", Kind::pdf);
    undated.added.reset();
    EXPECT_EQ(reasonOf(undated, Action::keep(), Layer::skip), "太新（0.0 天），暂不处理");

    // Old enough by the created date when the added date is missing.
    undated.created = fixedNow - std::chrono::hours(24 * 4);
    EXPECT_EQ(apply(undated), std::nullopt);
}

TEST_F(RulesTest, ScreenshotsAndRecordingsGoToTheirFolders) {
    const Action screenshots = Action::move("Pictures/Screenshots");
    EXPECT_EQ(reasonOf(download("Screenshot 2024-05-01 at 10.00.00.png", Kind::image), screenshots,
                       Layer::rule),
              "截图");
    EXPECT_EQ(reasonOf(download("screenshot.png", Kind::image), screenshots, Layer::rule), "截图");
    EXPECT_EQ(
        reasonOf(download("Capture d\u2019écran 2024.png", Kind::image), screenshots, Layer::rule),
        "截图");
    EXPECT_EQ(reasonOf(download("Screen Recording 2024-05-01.mov", Kind::video),
                       Action::move("Movies/Screen Recordings"), Layer::rule),
              "录屏");
    EXPECT_EQ(apply(download("My Screenshot.png", Kind::image)), std::nullopt);
    // The typographic apostrophe only.
    EXPECT_EQ(apply(download("Capture d'écran 2024.png", Kind::image)), std::nullopt);
}

TEST_F(RulesTest, ScreenshotFoldersFollowTheConfiguredFolderNames) {
    writeFile(home / ".config/user-dirs.dirs",
              "XDG_PICTURES_DIR=\"$HOME/Bilder\"\nXDG_VIDEOS_DIR=\"$HOME/Videos\"\n");
    EXPECT_EQ(reasonOf(download("Skjermbilde 1.png", Kind::image),
                       Action::move("Bilder/Screenshots"), Layer::rule),
              "截图");
    EXPECT_EQ(reasonOf(download("Skjermopptak 1.mp4", Kind::video),
                       Action::move("Videos/Screen Recordings"), Layer::rule),
              "录屏");
}

TEST_F(RulesTest, ArchivesBesideTheirUnpackedFolderAreTrashed) {
    rules.items = {download("Archive", Kind::folder), download("photos", Kind::folder),
                   download("Report", Kind::folder),
                   itemAt("/home/u/Desktop/Other", Kind::folder, 9),
                   download("lower", Kind::folder)};
    const std::string unpacked = "已解压（旁边有同名文件夹）";
    EXPECT_EQ(reasonOf(download("Archive.zip", Kind::archive), Action::trash(), Layer::rule),
              unpacked);
    EXPECT_EQ(reasonOf(download("photos.tar.gz", Kind::archive), Action::trash(), Layer::rule),
              unpacked);
    EXPECT_EQ(reasonOf(download("Report.ZIP", Kind::archive), Action::trash(), Layer::rule),
              unpacked);
    // Names compare exactly, and only within the same folder.
    EXPECT_EQ(apply(download("Lower.zip", Kind::archive)), std::nullopt);
    EXPECT_EQ(apply(download("Other.zip", Kind::archive)), std::nullopt);
    EXPECT_EQ(apply(download("Archive.tar.bz2", Kind::archive)), std::nullopt);
}

TEST_F(RulesTest, InstallersOfInstalledApplicationsAreTrashed) {
    rules.installed = {"sketchpad", "abacus", "ark"};
    const std::string installed = "安装包，应用已安装";
    EXPECT_EQ(
        reasonOf(download("Sketchpad 126.0.dmg", Kind::installer), Action::trash(), Layer::rule),
        installed);
    // The installed name begins with the key, or the key with an installed name of 4+ letters.
    EXPECT_EQ(reasonOf(download("Sketch.dmg", Kind::installer), Action::trash(), Layer::rule),
              installed);
    EXPECT_EQ(
        reasonOf(download("Sketchpad-Pro_2.pkg", Kind::installer), Action::trash(), Layer::rule),
        installed);
    EXPECT_EQ(apply(download("Arkanoid.dmg", Kind::installer)), std::nullopt);
    // "ab" is too short to be a key, even though "abacus" begins with it.
    EXPECT_EQ(apply(download("Ab1.22.pkg", Kind::installer)), std::nullopt);
}

TEST_F(RulesTest, OldInstallersAreTrashedAfterThirtyDays) {
    EXPECT_EQ(reasonOf(download("Ab1.22.pkg", Kind::installer, 31), Action::trash(), Layer::rule),
              "旧安装包（31 天）");
    EXPECT_EQ(reasonOf(download("Tool.dmg", Kind::installer, 45.9), Action::trash(), Layer::rule),
              "旧安装包（45 天）");
    EXPECT_EQ(apply(download("Tool.dmg", Kind::installer, 30.9)), std::nullopt);
}

TEST_F(RulesTest, ApplicationsAndOneOffFiles) {
    EXPECT_EQ(reasonOf(download("Tool.app", Kind::app), Action::toApplications(), Layer::rule),
              "应用程序放在下载文件夹");
    EXPECT_EQ(reasonOf(download("ubuntu.iso.torrent", Kind::other), Action::trash(), Layer::rule),
              "一次性文件（.torrent）");
    EXPECT_EQ(reasonOf(download("invite.ics", Kind::other), Action::trash(), Layer::rule),
              "一次性文件（.ics）");
}

TEST_F(RulesTest, SecondDownloadsOfTheSameFileAreTrashed) {
    rules.items = {download("invoice.pdf", Kind::pdf, 10, 52'000),
                   download("report.pdf", Kind::pdf, 10, 700),
                   download("photo.jpg", Kind::image),
                   download("notes.txt", Kind::text),
                   download("Doc.rtfd", Kind::document, 10, 0),
                   download("Archive.zip", Kind::archive)};
    const auto duplicate = [&](const FileItem& item) {
        return reasonOf(item, Action::trash(), Layer::rule);
    };
    EXPECT_EQ(duplicate(download("invoice (1).pdf", Kind::pdf, 10, 52'000)),
              "重复下载（同名同大小：invoice.pdf）");
    EXPECT_EQ(duplicate(download("report copy.pdf", Kind::pdf, 10, 700)),
              "重复下载（同名同大小：report.pdf）");
    EXPECT_EQ(duplicate(download("photo 副本.jpg", Kind::image)),
              "重复下载（同名同大小：photo.jpg）");
    EXPECT_EQ(duplicate(download("notes - Copy.txt", Kind::text)),
              "重复下载（同名同大小：notes.txt）");
    // An archive without its folder is still checked for being a second download.
    EXPECT_EQ(duplicate(download("Archive(2).zip", Kind::archive)),
              "重复下载（同名同大小：Archive.zip）");

    // Exact sizes, the same folder, a case-sensitive suffix, and never a directory.
    EXPECT_EQ(apply(download("invoice (1).pdf", Kind::pdf, 10, 51'000)), std::nullopt);
    EXPECT_EQ(apply(itemAt("/home/u/Desktop/invoice (1).pdf", Kind::pdf, 10, 52'000)),
              std::nullopt);
    EXPECT_EQ(apply(download("notes COPY.txt", Kind::text)), std::nullopt);
    FileItem package = download("Doc (1).rtfd", Kind::document, 10, 0);
    package.isDirectory = package.isPackage = true;
    EXPECT_EQ(apply(package), std::nullopt);
}

TEST(RulesNormalizeTest, KeepsLowerCaseLettersOfAnyScript) {
    EXPECT_EQ(Rules::normalize("Visual Studio Code 1.90"), "visualstudiocode");
    EXPECT_EQ(Rules::normalize("ÆRØ Façade — 北京!"), "ærøfaçade北京");
    EXPECT_EQ(Rules::normalize("A\u030Angstr\u00F6m"), "\u00E5ngstr\u00F6m");
}

TEST(RulesInstalledAppsTest, ReadsApplicationBundlesInTheHomeFolder) {
    TempDir home;
    makeDir(home / "Applications/Sketchpad.app");
    makeDir(home / "Applications/Visual Studio Code.app");
    writeFile(home / "Applications/readme.txt");
    const auto apps = Rules::installedApps(home.path());
    EXPECT_TRUE(apps.contains("sketchpad"));
    EXPECT_TRUE(apps.contains("visualstudiocode"));
    EXPECT_FALSE(apps.contains("readmetxt"));

    Rules rules{{}, apps, 3, home.path(), fixedNow};
    EXPECT_EQ(rules.apply(download("VSCode-linux 1.90.dmg", Kind::installer)), std::nullopt);
    ASSERT_TRUE(rules.apply(download("Visual Studio Code 1.90.dmg", Kind::installer)));
}

} // namespace
} // namespace vesk
