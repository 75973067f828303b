#include "app/AutostartEntry.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::readFile;
using test::writeFile;

TEST(AutostartEntry, ExecQuotesWhatTheDesktopEntrySpecificationReserves) {
    struct Case {
        QStringList command;
        QString exec;
    };
    for (const auto& [command, exec] : std::vector<Case>{
             {{"/usr/bin/vesk"}, "/usr/bin/vesk"},
             {{"/opt/My Apps/vesk", "--home", "/home/me/demo home"},
              R"("/opt/My Apps/vesk" --home "/home/me/demo home")"},
             {{"/usr/bin/vesk", "--home", "/tmp/it's"}, R"(/usr/bin/vesk --home "/tmp/it's")"},
             // Inside quotes " ` $ \ take a backslash; every backslash is then doubled.
             {{"/usr/bin/vesk", "--home", R"(/tmp/a"b$c`d\e)"},
              R"(/usr/bin/vesk --home "/tmp/a\\"b\\$c\\`d\\\\e")"},
             {{"/usr/bin/vesk", "--home", "/tmp/100%"}, "/usr/bin/vesk --home /tmp/100%%"},
             {{"/usr/bin/vesk", "--home", "/tmp/a\nb"}, R"(/usr/bin/vesk --home "/tmp/a\nb")"},
             {{"/usr/bin/vesk", "--home", "~/demo"}, R"(/usr/bin/vesk --home "~/demo")"},
             {{"/usr/bin/vesk", ""}, R"(/usr/bin/vesk "")"},
         }) {
        EXPECT_EQ(AutostartEntry::execValue(command), exec) << exec.toStdString();
    }
}

TEST(AutostartEntry, TheCommandCarriesTheHomeOnlyForAFixture) {
    AppLocation location;
    location.home = "/home/me/demo home";
    EXPECT_EQ(AutostartEntry::commandFor("/usr/bin/vesk", location), QStringList{"/usr/bin/vesk"});
    location.isFixture = true;
    EXPECT_EQ(AutostartEntry::commandFor("/usr/bin/vesk", location),
              (QStringList{"/usr/bin/vesk", "--home", "/home/me/demo home"}));
}

TEST(AutostartEntry, AnEntryIsOnWhenItExistsAndIsNotSwitchedOff) {
    const test::TempDir dir;
    const AutostartEntry entry(dir / "autostart/app.vesk.Vesk.desktop", {"/usr/bin/vesk"});
    EXPECT_FALSE(entry.isEnabled());
    struct Case {
        const char* contents;
        bool enabled;
    };
    for (const auto& [contents, enabled] : std::vector<Case>{
             {"[Desktop Entry]\nType=Application\nExec=vesk\n", true},
             {"[Desktop Entry]\nExec=vesk\nHidden=true\n", false},
             {"[Desktop Entry]\nExec=vesk\nHidden = true\n", false},
             {"[Desktop Entry]\nExec=vesk\nHidden=false\n", true},
             {"[Desktop Entry]\nExec=vesk\nX-GNOME-Autostart-enabled=false\n", false},
             {"[Desktop Entry]\nExec=vesk\n[Desktop Action x]\nHidden=true\n", true},
             {"# Hidden=true\n[Desktop Entry]\nExec=vesk\n", true},
         }) {
        writeFile(entry.file(), contents);
        EXPECT_EQ(entry.isEnabled(), enabled) << contents;
    }
}

TEST(AutostartEntry, OnWritesAWorkingEntryOffRemovesItAndARefusalShows) {
    const test::TempDir dir;
    const AutostartEntry entry(dir / "config/autostart/app.vesk.Vesk.desktop",
                               {"/opt/vesk/bin/vesk", "--home", "/tmp/my home"});
    // A hidden entry left by the desktop is replaced by a working one.
    writeFile(entry.file(), "[Desktop Entry]\nExec=vesk\nHidden=true\n");
    EXPECT_TRUE(entry.setEnabled(true));
    const std::string written = readFile(entry.file());
    EXPECT_TRUE(written.starts_with("[Desktop Entry]\nType=Application\n")) << written;
    EXPECT_NE(written.find("\nExec=/opt/vesk/bin/vesk --home \"/tmp/my home\"\n"),
              std::string::npos);
    EXPECT_EQ(written.find("Hidden"), std::string::npos);
    EXPECT_FALSE(entry.setEnabled(false));
    EXPECT_FALSE(std::filesystem::exists(entry.file()));

    // An entry that is a folder with something in it can't be removed, and is no entry.
    writeFile(dir / "odd/autostart/app.vesk.Vesk.desktop/inside");
    const AutostartEntry stuck(dir / "odd/autostart/app.vesk.Vesk.desktop", {"vesk"});
    EXPECT_FALSE(stuck.setEnabled(false));
    EXPECT_FALSE(stuck.setEnabled(true));
}

} // namespace
} // namespace vesk
