#include "core/placement/DesktopEntry.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

namespace vesk {
namespace {

using test::TempDir;
using test::writeFile;

struct ParseCase {
    std::string text;
    bool wellFormed;
    std::optional<std::string> name;
};

TEST(DesktopEntryTest, ReadsTheNameOfWellFormedEntriesOnly) {
    const std::string head = "[Desktop Entry]\n";
    const std::nullopt_t noName = std::nullopt;
    const std::vector<ParseCase> cases = {
        {head + "Type=Application\nName=Signal\nExec=signal-desktop %U\n", true, "Signal"},
        {"# written by hand\n\n  " + head + "\tName = Text Editor \n", true, "Text Editor "},
        {head + "Name[de]=Karten\nName=Maps\nName[fr]=Cartes\n", true, "Maps"},
        {head + "Name[de_DE@euro]=Karten\n", true, noName},
        {"[Desktop Entry]\r\nName=Maps\r\n", true, "Maps"},
        {head + "Name=Old\nName=New", true, "New"},
        // Other groups are read for form only; their names are the actions'.
        {head + "Type=Application\n[Desktop Action new-window]\nName=New Window\n", true, noName},
        {head + "Name=Two\\sWords\\\\\\t\n", true, "Two Words\\\t"},
        // A value the desktop refuses leaves the entry without a name.
        {head + "Name=C:\\Programs\n", true, noName},
        {head + "Name=trailing\\\n", true, noName},
        {head + "Name=\n", true, ""},
        {head, true, noName},
        // Malformed: the desktop's own reader would refuse all of these.
        {"", false, noName},
        {"Name=Maps\n" + head, false, noName},
        {"[Other]\nName=Other\n" + head + "Name=Maps\n", false, noName},
        {head + "Name=Maps\nsome words\n", false, noName},
        {"[Desktop Entry\nName=Maps\n", false, noName},
        {"[Desktop Entry] x\nName=Maps\n", false, noName},
        {"[]\n" + head, false, noName},
        {head + "=Maps\n", false, noName},
        {head + "Name[de]x=Karten\n", false, noName},
        {head + "Name[d e]=Karten\n", false, noName},
    };
    for (const auto& c : cases) {
        const auto entry = DesktopEntry::parse(c.text);
        ASSERT_EQ(entry.has_value(), c.wellFormed) << c.text;
        if (entry) {
            EXPECT_EQ(entry->name, c.name) << c.text;
        }
    }
}

TEST(DesktopEntryTest, FilesThatCannotBeReadAreNoEntries) {
    TempDir dir;
    const auto good = writeFile(dir / "maps.desktop", "[Desktop Entry]\nName=Maps\n");
    EXPECT_EQ(DesktopEntry::read(good).value().name, "Maps");
    std::filesystem::create_symlink(dir / "gone", dir / "dangling.desktop");
    test::makeDir(dir / "folder.desktop");
    // A FIFO must not stall the reading of the folder.
    ASSERT_EQ(mkfifo((dir / "fifo.desktop").c_str(), 0600), 0);
    writeFile(dir / "huge.desktop", "[Desktop Entry]\nName=Huge\n" + std::string(2 << 20, '#'));
    for (const char* name : {"dangling.desktop", "folder.desktop", "fifo.desktop", "huge.desktop",
                             "missing.desktop"}) {
        EXPECT_EQ(DesktopEntry::read(dir / name), std::nullopt) << name;
    }
}

TEST(DesktopEntryTest, ShortIdIsTheLastPartOfTheFileName) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"org.gnome.Maps.desktop", "Maps"},           {"code.desktop", "code"},
        {"signal-desktop.desktop", "signal-desktop"}, {"com.visualstudio.code.desktop", "code"},
        {"display-im6.q16.desktop", "q16"},
    };
    for (const auto& [file, id] : cases) {
        EXPECT_EQ(DesktopEntry::shortId(file), id) << file;
    }
}

} // namespace
} // namespace vesk
