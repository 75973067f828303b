#include "core/Rules.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace vesk {
namespace {

using namespace std::chrono_literals;
using test::makeDir;
using test::TempDir;
using test::writeFile;

const Date fixedNow = fromReferenceSeconds(740'000'000);

// An entry of /home/u/<folder> that arrived ageDays before fixedNow.
FileItem entry(const std::string& name, Kind kind, double ageDays = 10, std::int64_t size = 1000,
               const std::string& folder = "Downloads") {
    FileItem item;
    item.url = "/home/u/" + folder + "/" + name;
    item.name = item.url.filename().string();
    const std::string ext = item.url.extension().string();
    for (std::size_t i = 1; i < ext.size(); ++i) {
        item.ext += static_cast<char>(std::tolower(static_cast<unsigned char>(ext[i])));
    }
    item.isDirectory = kind == Kind::folder;
    item.kind = kind;
    item.size = size;
    item.added = fixedNow - std::chrono::duration_cast<Clock::duration>(
                                std::chrono::duration<double>(ageDays * 86400));
    return item;
}

TEST(RulesTest, EachRuleWithItsReasonAndWhereItStops) {
    TempDir home;
    writeFile(home / ".config/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    Rules rules{{}, {"sketchpad", "abacus", "ark"}, 3, home.path(), fixedNow};
    rules.items = {entry("Archive", Kind::folder),
                   entry("photos", Kind::folder),
                   entry("Report", Kind::folder),
                   entry("Other", Kind::folder, 10, 1000, "Desktop"),
                   entry("lower", Kind::folder),
                   entry("invoice.pdf", Kind::pdf, 10, 52'000),
                   entry("report.pdf", Kind::pdf, 10, 700),
                   entry("photo.jpg", Kind::image),
                   entry("notes.txt", Kind::text),
                   entry("Doc.rtfd", Kind::document, 10, 0),
                   entry("Archive.zip", Kind::archive)};
    FileItem undated = entry("undated.pdf", Kind::pdf);
    undated.added.reset();
    FileItem createdLongAgo = undated; // old enough by its created date
    createdLongAgo.created = fixedNow - 96h;
    FileItem package = entry("Doc (1).rtfd", Kind::document, 10, 0);
    package.isDirectory = package.isPackage = true;

    const Action keep = Action::keep();
    const Action trash = Action::trash();
    const Action screenshots = Action::move("Bilder/Screenshots");
    const std::string unpacked = "已解压（旁边有同名文件夹）";
    const std::string installed = "安装包，应用已安装";
    struct Case {
        FileItem item;
        Action action;
        std::string reason;
        Layer layer = Layer::rule;
    };
    const std::vector<Case> fires = {
        {entry("movie.mp4.crdownload", Kind::other, 0.1), keep, "正在下载", Layer::skip},
        {entry("Project", Kind::folder, 2.0 / 24), keep, "文件夹，默认保持原样", Layer::userFolder},
        {entry("report.pdf", Kind::pdf, 2.5), keep, "太新（2.5 天），暂不处理", Layer::skip},
        {undated, keep, "太新（0.0 天），暂不处理", Layer::skip},
        {entry("screenshot.png", Kind::image), screenshots, "截图"},
        {entry("Capture d\u2019écran 2024.png", Kind::image), screenshots, "截图"},
        {entry("Skjermopptak 1.mp4", Kind::video), Action::move("Movies/Screen Recordings"),
         "录屏"},
        {entry("Archive.zip", Kind::archive), trash, unpacked},
        {entry("photos.tar.gz", Kind::archive), trash, unpacked},
        {entry("Report.ZIP", Kind::archive), trash, unpacked},
        // The installed name begins with the key, or the key with an installed name of 4+ letters.
        {entry("Sketchpad 126.0.dmg", Kind::installer), trash, installed},
        {entry("Sketch.dmg", Kind::installer), trash, installed},
        {entry("Sketchpad-Pro_2.pkg", Kind::installer), trash, installed},
        // "ab" is too short to be a key, so only the age counts; whole days are named.
        {entry("Ab1.22.pkg", Kind::installer, 31), trash, "旧安装包（31 天）"},
        {entry("Tool.dmg", Kind::installer, 45.9), trash, "旧安装包（45 天）"},
        {entry("Tool.app", Kind::app), Action::toApplications(), "应用程序放在下载文件夹"},
        {entry("ubuntu.iso.torrent", Kind::other), trash, "一次性文件（.torrent）"},
        {entry("invite.ics", Kind::other), trash, "一次性文件（.ics）"},
        {entry("invoice (1).pdf", Kind::pdf, 10, 52'000), trash,
         "重复下载（同名同大小：invoice.pdf）"},
        {entry("report copy.pdf", Kind::pdf, 10, 700), trash, "重复下载（同名同大小：report.pdf）"},
        {entry("photo 副本.jpg", Kind::image), trash, "重复下载（同名同大小：photo.jpg）"},
        {entry("notes - Copy.txt", Kind::text), trash, "重复下载（同名同大小：notes.txt）"},
        // An archive without its folder is still checked for being a second download.
        {entry("Archive(2).zip", Kind::archive), trash, "重复下载（同名同大小：Archive.zip）"},
    };
    for (const Case& c : fires) {
        const auto suggestion = rules.apply(c.item);
        ASSERT_TRUE(suggestion) << c.item.name;
        EXPECT_EQ(*suggestion, (Suggestion{c.item, c.action, c.layer, {}, {}, c.reason}))
            << c.item.name << " got " << suggestion->action.key() << ", " << suggestion->reason;
    }

    for (const FileItem& item : {
             entry("report.pdf", Kind::pdf, 3.0),
             createdLongAgo,
             entry("My Screenshot.png", Kind::image),
             entry("Capture d'écran 2024.png",
                   Kind::image), // typographic apostrophe only
             // Archive folder names compare exactly, and only within the same folder.
             entry("Lower.zip", Kind::archive),
             entry("Other.zip", Kind::archive),
             entry("Archive.tar.bz2", Kind::archive),
             entry("Arkanoid.dmg", Kind::installer),
             entry("Ab1.22.pkg", Kind::installer),
             entry("Tool.dmg", Kind::installer, 30.9),
             // Second downloads: exact sizes, the same folder, a case-sensitive suffix, no folder.
             entry("invoice (1).pdf", Kind::pdf, 10, 51'000),
             entry("invoice (1).pdf", Kind::pdf, 10, 52'000, "Desktop"),
             entry("notes COPY.txt", Kind::text),
             package,
         }) {
        EXPECT_EQ(rules.apply(item), std::nullopt) << item.url;
    }
}

TEST(RulesTest, InstalledAppsAreNormalizedBundleNames) {
    EXPECT_EQ(Rules::normalize("Visual Studio Code 1.90"), "visualstudiocode");
    EXPECT_EQ(Rules::normalize("ÆRØ Façade — 北京!"), "ærøfaçade北京");
    EXPECT_EQ(Rules::normalize("A\u030Angstr\u00F6m"), "\u00E5ngstr\u00F6m");

    TempDir home;
    makeDir(home / "Applications/Sketchpad.app");
    makeDir(home / "Applications/Visual Studio Code.app");
    writeFile(home / "Applications/readme.txt");
    const auto apps = Rules::installedApps(home.path());
    EXPECT_TRUE(apps.contains("sketchpad"));
    EXPECT_TRUE(apps.contains("visualstudiocode"));
    EXPECT_FALSE(apps.contains("readmetxt"));

    Rules rules{{}, apps, 3, home.path(), fixedNow};
    EXPECT_EQ(rules.apply(entry("VSCode-linux 1.90.dmg", Kind::installer)), std::nullopt);
    EXPECT_TRUE(rules.apply(entry("Visual Studio Code 1.90.dmg", Kind::installer)));
}

} // namespace
} // namespace vesk
