#include "core/placement/Rules.h"

#include "support/ReasonPrinting.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

namespace vesk {
namespace {

using namespace std::chrono_literals;
using test::makeDir;
using test::TempDir;
using test::writeFile;

const Date fixedNow = *fromReferenceSeconds(740'000'000);

// An entry of /home/u/<folder> that arrived ageDays before fixedNow.
FileItem entry(const std::string& name, Kind kind, double ageDays = 10, std::int64_t size = 1000,
               const std::string& folder = "Downloads") {
    FileItem item;
    item.path = "/home/u/" + folder + "/" + name;
    item.name = item.path.filename().string();
    const std::string ext = item.path.extension().string();
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

FileItem undated() {
    FileItem item = entry("undated.pdf", Kind::pdf);
    item.added.reset();
    return item;
}

FileItem createdLongAgo() { // old enough by its created date
    FileItem item = undated();
    item.created = fixedNow - 96h;
    return item;
}

FileItem package() {
    FileItem item = entry("Doc (1).rtfd", Kind::document, 10, 0);
    item.isDirectory = item.isPackage = true;
    return item;
}

struct Outcome {
    Action action;
    Reason reason;
    Layer layer = Layer::rule;
};

// One rule case: the file, and what the rules say of it (nothing: handed to the next layer).
struct RuleCase {
    std::string name;
    FileItem item;
    std::optional<Outcome> outcome;
};

// A failing case names itself instead of dumping its bytes.
void PrintTo(const RuleCase& c, std::ostream* out) {
    *out << c.name;
}

const Action keep = Action::keep();
const Action trash = Action::trash();
const Action screenshots = Action::move("Bilder/Screenshots");
const Reason unpacked{ReasonCode::unpacked, {}};
const Reason installed{ReasonCode::appInstalled, {}};

std::vector<RuleCase> ruleCases() {
    const std::nullopt_t handedOn = std::nullopt;
    return {
        {"UnfinishedDownload", entry("movie.mp4.crdownload", Kind::other, 0.1),
         Outcome{keep, {ReasonCode::downloading, {}}, Layer::skip}},
        {"YoungFolder", entry("Project", Kind::folder, 2.0 / 24),
         Outcome{keep, {ReasonCode::folder, {}}, Layer::userFolder}},
        {"TooNew", entry("report.pdf", Kind::pdf, 2.5),
         Outcome{keep, {ReasonCode::tooNew, {"2.5"}}, Layer::skip}},
        {"UndatedIsNew", undated(), Outcome{keep, {ReasonCode::tooNew, {"0.0"}}, Layer::skip}},
        {"ExactlyOldEnough", entry("report.pdf", Kind::pdf, 3.0), handedOn},
        {"OldEnoughByCreation", createdLongAgo(), handedOn},
        {"ScreenshotAnyCase", entry("screenshot.png", Kind::image),
         Outcome{screenshots, {ReasonCode::screenshot, {}}}},
        {"ScreenshotFrench", entry("Capture d\u2019écran 2024.png", Kind::image),
         Outcome{screenshots, {ReasonCode::screenshot, {}}}},
        {"ScreenshotPlainApostrophe", entry("Capture d'écran 2024.png", Kind::image), handedOn},
        {"ScreenshotNotAtStart", entry("My Screenshot.png", Kind::image), handedOn},
        {"ScreenRecording", entry("Skjermopptak 1.mp4", Kind::video),
         Outcome{Action::move("Movies/Screen Recordings"), {ReasonCode::screenRecording, {}}}},
        {"UnpackedZip", entry("Archive.zip", Kind::archive), Outcome{trash, unpacked}},
        {"UnpackedTarGz", entry("photos.tar.gz", Kind::archive), Outcome{trash, unpacked}},
        {"UnpackedTarZst", entry("photos.tar.zst", Kind::archive), Outcome{trash, unpacked}},
        {"UnpackedUpperCaseExtension", entry("Report.ZIP", Kind::archive),
         Outcome{trash, unpacked}},
        // Archive folder names compare exactly, and only within the same folder.
        {"UnpackedNameIsCaseSensitive", entry("Lower.zip", Kind::archive), handedOn},
        {"UnpackedOnlyInTheSameFolder", entry("Other.zip", Kind::archive), handedOn},
        {"ArchiveWithoutFolder", entry("Archive.tar.bz2", Kind::archive), handedOn},
        // The installed name begins with the key, or the key with an installed name of 4+ letters.
        {"InstallerOfInstalledApp", entry("Sketchpad 126.0.dmg", Kind::installer),
         Outcome{trash, installed}},
        {"InstallerKeyPrefixOfApp", entry("Sketch.dmg", Kind::installer),
         Outcome{trash, installed}},
        {"InstallerAppPrefixOfKey", entry("Sketchpad-Pro_2.pkg", Kind::installer),
         Outcome{trash, installed}},
        {"InstallerShortAppNameIsNoPrefix", entry("Arkanoid.dmg", Kind::installer), handedOn},
        // "ab" is too short to be a key, so only the age counts; whole days are named.
        {"InstallerShortKeyYoung", entry("Ab1.22.pkg", Kind::installer), handedOn},
        {"InstallerShortKeyOld", entry("Ab1.22.pkg", Kind::installer, 31),
         Outcome{trash, {ReasonCode::oldInstaller, {"31"}}}},
        {"OldInstallerWholeDays", entry("Tool.dmg", Kind::installer, 45.9),
         Outcome{trash, {ReasonCode::oldInstaller, {"45"}}}},
        {"InstallerNotQuiteOld", entry("Tool.dmg", Kind::installer, 30.9), handedOn},
        {"Application", entry("Tool.app", Kind::app),
         Outcome{Action::toApplications(), {ReasonCode::application, {}}}},
        {"Torrent", entry("ubuntu.iso.torrent", Kind::other),
         Outcome{trash, {ReasonCode::oneOff, {"torrent"}}}},
        {"Invitation", entry("invite.ics", Kind::other),
         Outcome{trash, {ReasonCode::oneOff, {"ics"}}}},
        {"DuplicateNumbered", entry("invoice (1).pdf", Kind::pdf, 10, 52'000),
         Outcome{trash, {ReasonCode::duplicate, {"invoice.pdf"}}}},
        {"DuplicateCopy", entry("report copy.pdf", Kind::pdf, 10, 700),
         Outcome{trash, {ReasonCode::duplicate, {"report.pdf"}}}},
        {"DuplicateChinese", entry("photo 副本.jpg", Kind::image),
         Outcome{trash, {ReasonCode::duplicate, {"photo.jpg"}}}},
        {"DuplicateWindowsCopy", entry("notes - Copy.txt", Kind::text),
         Outcome{trash, {ReasonCode::duplicate, {"notes.txt"}}}},
        // An archive without its folder is still checked for being a second download.
        {"DuplicateArchive", entry("Archive(2).zip", Kind::archive),
         Outcome{trash, {ReasonCode::duplicate, {"Archive.zip"}}}},
        // Second downloads: exact sizes, the same folder, a case-sensitive suffix, no folder.
        {"DuplicateOtherSize", entry("invoice (1).pdf", Kind::pdf, 10, 51'000), handedOn},
        {"DuplicateOtherFolder", entry("invoice (1).pdf", Kind::pdf, 10, 52'000, "Desktop"),
         handedOn},
        {"DuplicateSuffixIsCaseSensitive", entry("notes COPY.txt", Kind::text), handedOn},
        {"DuplicateNeverAFolder", package(), handedOn},
    };
}

class RuleCaseTest : public testing::TestWithParam<RuleCase> {
protected:
    void SetUp() override {
        rules.mediaFolders = {{Kind::image, "Bilder"}, {Kind::video, "Movies"}};
    }

    // The neighbours that the archive and duplicate rules look for.
    Rules rules{{entry("Archive", Kind::folder), entry("photos", Kind::folder),
                 entry("Report", Kind::folder), entry("Other", Kind::folder, 10, 1000, "Desktop"),
                 entry("lower", Kind::folder), entry("invoice.pdf", Kind::pdf, 10, 52'000),
                 entry("report.pdf", Kind::pdf, 10, 700), entry("photo.jpg", Kind::image),
                 entry("notes.txt", Kind::text), entry("Doc.rtfd", Kind::document, 10, 0),
                 entry("Archive.zip", Kind::archive)},
                {"sketchpad", "abacus", "ark"},
                3,
                {},
                fixedNow};
};

TEST_P(RuleCaseTest, DecidesAsExpected) {
    const RuleCase& c = GetParam();
    const auto suggestion = rules.apply(c.item);
    if (!c.outcome) {
        EXPECT_EQ(suggestion, std::nullopt)
            << "got " << suggestion->action.key() << ", " << suggestion->reason;
        return;
    }
    ASSERT_TRUE(suggestion);
    EXPECT_EQ(*suggestion,
              (Suggestion{c.item, c.outcome->action, c.outcome->layer, {}, {}, c.outcome->reason}))
        << "got " << suggestion->action.key() << ", " << suggestion->reason;
}

INSTANTIATE_TEST_SUITE_P(Rules, RuleCaseTest, testing::ValuesIn(ruleCases()),
                         [](const testing::TestParamInfo<RuleCase>& param) {
                             return param.param.name;
                         });

// Vesk never invents a folder: a home without its Pictures or Videos folder keeps its
// screenshots and recordings for the later layers.
TEST(RulesTest, ScreenshotsNeedTheHomesMediaFolder) {
    Rules rules{{}, {}, 3, {{Kind::video, "Videos"}}, fixedNow};
    const FileItem shot = entry("Screenshot 2024-05-01 at 10.00.00.png", Kind::image);
    const FileItem recording = entry("Screen Recording 2024-05-01.webm", Kind::video);
    EXPECT_EQ(rules.apply(shot), std::nullopt);
    ASSERT_TRUE(rules.apply(recording));
    EXPECT_EQ(rules.apply(recording)->action, Action::move("Videos/Screen Recordings"));

    rules.mediaFolders.clear();
    EXPECT_EQ(rules.apply(recording), std::nullopt);
}

TEST(RulesTest, InstalledAppsAreNormalizedBundleNames) {
    EXPECT_EQ(Rules::normalize("Visual Studio Code 1.90"), "visualstudiocode");
    EXPECT_EQ(Rules::normalize("ÆRØ Façade — 北京!"), "ærøfaçade北京");
    EXPECT_EQ(Rules::normalize("A\u030Angstr\u00F6m"), "\u00E5ngstr\u00F6m");

    TempDir home;
    makeDir(home / "Applications/Sketchpad.app");
    makeDir(home / "Applications/Visual Studio Code.app");
    writeFile(home / "Applications/readme.txt");
    const auto apps = Rules::installedApps(home.path(), {});
    EXPECT_TRUE(apps.contains("sketchpad"));
    EXPECT_TRUE(apps.contains("visualstudiocode"));
    EXPECT_FALSE(apps.contains("readmetxt"));

    Rules rules{{}, apps, 3, {}, fixedNow};
    EXPECT_EQ(rules.apply(entry("VSCode-linux 1.90.dmg", Kind::installer)), std::nullopt);
    EXPECT_TRUE(rules.apply(entry("Visual Studio Code 1.90.dmg", Kind::installer)));
}

// A home whose applications are known from desktop entries and AppImages, beside one that has
// none, with the installer and application files that arrive in Downloads.
class InstalledAppsTest : public testing::Test {
protected:
    InstalledAppsTest() {
        const auto entryOf = [](const std::string& name) {
            return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=x\n";
        };
        writeFile(home / ".local/share/applications/code.desktop", entryOf("Visual Studio Code"));
        writeFile(home / "Applications/Obsidian-1.4.16.AppImage");
        writeFile(system / "one/applications/messenger.desktop", entryOf("Signal"));
        writeFile(system / "one/applications/org.gnome.Maps.desktop",
                  "# GNOME Maps\n[Desktop Entry]\nName[de]=Karten\nName=Maps\n");
        // Neither an entry the desktop cannot read nor a malformed one names an application.
        writeFile(system / "two/applications/notes.desktop",
                  "[Desktop Entry]\nName=Notes\nnotes\n");
        std::filesystem::create_symlink(system / "gone", system / "two/applications/ghost.desktop");
        writeFile(system / "two/applications/org.kde.krita.desktop", entryOf("Krita"));
    }

    [[nodiscard]] Rules rulesOf(const std::filesystem::path& at,
                                const std::vector<std::filesystem::path>& dataFolders) const {
        return {{}, Rules::installedApps(at, dataFolders), 3, {}, fixedNow};
    }

    TempDir home;
    TempDir system{};
    TempDir bare{};
};

enum class Installed { furnished, bare };

struct InstalledCase {
    std::string file;
    Installed home;
    double ageDays;
    std::optional<Outcome> outcome;
};

TEST_F(InstalledAppsTest, InstallersOfInstalledAppsAreTrashed) {
    const Rules furnished = rulesOf(home.path(), {system / "one", system / "two"});
    const Rules empty = rulesOf(bare.path(), {});
    const std::nullopt_t handedOn = std::nullopt;
    const std::string code = "code_1.85.1-1702462158_amd64.deb";
    const std::vector<InstalledCase> cases = {
        // A desktop entry's file name, the last part of a reverse-DNS one, and its Name.
        {code, Installed::furnished, 10, Outcome{trash, installed}},
        {code, Installed::bare, 10, handedOn},
        {code, Installed::bare, 31, Outcome{trash, {ReasonCode::oldInstaller, {"31"}}}},
        {"signal-desktop_7.0.0_amd64.deb", Installed::furnished, 10, Outcome{trash, installed}},
        {"Maps-44.2.flatpakref", Installed::furnished, 10, Outcome{trash, installed}},
        {"krita-5.2.2-1.x86_64.rpm", Installed::furnished, 10, Outcome{trash, installed}},
        {"Karten_1.0.snap", Installed::furnished, 10, handedOn},
        {"ghost_1.0_amd64.deb", Installed::furnished, 10, handedOn},
        {"notes-app_2.0.snap", Installed::furnished, 10, handedOn},
        // An AppImage goes to the applications folder, where it then counts as installed.
        {"Obsidian-1.5.3.AppImage", Installed::bare, 10,
         Outcome{Action::toApplications(), {ReasonCode::application, {}}}},
        {"obsidian_1.5.3_amd64.deb", Installed::furnished, 10, Outcome{trash, installed}},
        {"obsidian_1.5.3_amd64.deb", Installed::bare, 10, handedOn},
    };
    for (const auto& c : cases) {
        const FileItem item =
            entry(c.file, kindForPlainFile(lowerCasedExtension(c.file)), c.ageDays);
        const auto suggestion = (c.home == Installed::furnished ? furnished : empty).apply(item);
        const std::string where = c.file + (c.home == Installed::bare ? " (bare home)" : "");
        if (!c.outcome) {
            EXPECT_EQ(suggestion, std::nullopt) << where << " got " << suggestion->reason;
            continue;
        }
        ASSERT_TRUE(suggestion) << where;
        EXPECT_EQ(suggestion->action, c.outcome->action) << where;
        EXPECT_EQ(suggestion->reason, c.outcome->reason) << where;
    }
}

TEST_F(InstalledAppsTest, NamesComeFromEveryApplicationsFolder) {
    const auto apps = Rules::installedApps(home.path(), {system / "one", system / "two"});
    for (const char* name :
         {"code", "visualstudiocode", "obsidian", "messenger", "signal", "maps", "krita"}) {
        EXPECT_TRUE(apps.contains(name)) << name;
    }
    for (const char* name : {"karten", "ghost", "notes", "", "desktop"}) {
        EXPECT_FALSE(apps.contains(name)) << name;
    }
    // The system's folders are read only when they are handed in.
    EXPECT_FALSE(Rules::installedApps(home.path(), {}).contains("signal"));
}

} // namespace
} // namespace vesk
