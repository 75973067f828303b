#include "platform/Trash.h"

#include "support/OtherVolume.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

// Each case gets its own home whose data folder does not exist yet.
class TrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        // Where a trash that resolved paths against the working folder would misplace the item.
        ASSERT_EQ(::chdir(home.path().c_str()), 0);
    }

    TempDir home;
    const fs::path homeTrash = home / "data/Trash";
};

TEST_F(TrashTest, TrashesIntoTheHomeTrashEvenWithoutADataFolder) {
    const fs::path file = writeFile(home / "Downloads/old.zip", "zip");
    const TrashResult result = moveToTrash(file);
    ASSERT_TRUE(result.location) << result.error;
    EXPECT_EQ(*result.location, homeTrash / "files/old.zip");
    EXPECT_EQ(readFile(*result.location), "zip");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(fs::exists(home / "files"));
    EXPECT_TRUE(fs::exists(homeTrash / "info/old.zip.trashinfo"));

    writeFile(home / "Desktop/Project/notes.txt");
    const TrashResult folder = moveToTrash(home / "Desktop/Project");
    ASSERT_TRUE(folder.location) << folder.error;
    EXPECT_EQ(readFile(*folder.location / "notes.txt"), "x");
}

TEST_F(TrashTest, TrashInfoGivesTheOriginalPathBackToAFileManager) {
    for (const std::string name : {"two words.txt", "100%.txt", "#1.txt", "caf\u00e9.txt",
                                   "line\nbreak.txt", "a?b&c=d.txt"}) {
        const fs::path file = writeFile(home / "Downloads" / name);
        const TrashResult result = moveToTrash(file);
        ASSERT_TRUE(result.location) << result.error;
        const std::string info =
            readFile(homeTrash / "info" / (result.location->filename().string() + ".trashinfo"));
        // Read as file managers do: one key per line, the value percent-decoded.
        std::istringstream text(info);
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        ASSERT_EQ(lines.size(), 3U) << info;
        EXPECT_EQ(lines[0], "[Trash Info]");
        ASSERT_TRUE(lines[1].starts_with("Path=")) << info;
        EXPECT_EQ(QByteArray::fromPercentEncoding(QByteArray::fromStdString(lines[1].substr(5))),
                  QByteArray(file.c_str()));
        EXPECT_TRUE(lines[2].starts_with("DeletionDate=")) << info;
    }
}

TEST_F(TrashTest, ReportsWhatCannotBeTrashedAndLeavesItInPlace) {
    EXPECT_FALSE(moveToTrash(home / "gone.txt").error.empty());

    // A name that is not UTF-8 is the file of those bytes, not one it could be decoded to.
    const fs::path odd = writeFile(home / "caf\xE9.txt", "latin-1");
    const fs::path lookalike = writeFile(home / "caf\uFFFD.txt", "other");
    EXPECT_EQ(moveToTrash(odd).location, homeTrash / "files/caf\xE9.txt");
    EXPECT_EQ(readFile(lookalike), "other");

    writeFile(home / "blocker");
    ::setenv("XDG_DATA_HOME", (home / "blocker/data").c_str(), 1);
    const fs::path file = writeFile(home / "Downloads/old.zip", "zip");
    const TrashResult blocked = moveToTrash(file);
    EXPECT_FALSE(blocked.location);
    EXPECT_FALSE(blocked.error.empty());
    EXPECT_EQ(readFile(file), "zip");
    EXPECT_FALSE(fs::exists(home / "files"));
    EXPECT_FALSE(fs::exists(home / "info"));
}

TEST_F(TrashTest, RecognisesTrashLocations) {
    EXPECT_TRUE(isInTrash("/home/a/.local/share/Trash/files/x.pdf"));
    EXPECT_TRUE(isInTrash("/media/usb/.Trash-1000/files/x.pdf"));
    EXPECT_TRUE(isInTrash("/media/usb/.Trash/1000/files/x.pdf"));
    EXPECT_FALSE(isInTrash("./files/x.pdf"));
    EXPECT_FALSE(isInTrash("/home/a/files/x.pdf"));
}

TEST_F(TrashTest, TrashesOnAnotherVolumeIntoThatVolumesTrash) {
    const auto other = test::otherVolume(home.path());
    if (!other) {
        GTEST_SKIP() << "no second file system";
    }
    const TrashResult result = moveToTrash(writeFile(*other / "big.iso", "iso"));
    ASSERT_TRUE(result.location) << result.error;
    EXPECT_TRUE(isInTrash(*result.location));
    EXPECT_FALSE(result.location->string().starts_with(home.path().string()));
    EXPECT_EQ(readFile(*result.location), "iso");

    std::error_code ignored;
    fs::remove(*result.location, ignored);
    forgetTrashInfo(*result.location);
    const fs::path trash = result.location->parent_path().parent_path();
    for (const fs::path& dir : {trash / "files", trash / "info", trash}) {
        fs::remove(dir, ignored); // only when empty
    }

    // A link in the home to a file on that volume is trashed as itself, in the home's Trash.
    const fs::path target = writeFile(*other / "kept.iso", "iso");
    fs::create_symlink(target, test::makeDir(home / "Desktop") / "link.iso");
    const TrashResult link = moveToTrash(home / "Desktop/link.iso");
    EXPECT_EQ(link.location, homeTrash / "files/link.iso") << link.error;
    EXPECT_EQ(fs::read_symlink(homeTrash / "files/link.iso"), target);
    EXPECT_EQ(readFile(target), "iso");
    EXPECT_FALSE(fs::exists(trash / "info/link.iso.trashinfo"));
}

} // namespace
} // namespace vesk::platform
