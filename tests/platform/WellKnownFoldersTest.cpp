#include "platform/WellKnownFolders.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vesk::platform {
namespace {

using test::TempDir;
using test::writeFile;

class WellKnownFoldersTest : public ::testing::Test {
protected:
    void writeUserDirs(const std::string& contents) {
        writeFile(home / ".config/user-dirs.dirs", contents);
    }
    std::string folder(WellKnownFolder which) { return wellKnownFolder(home.path(), which); }

    TempDir home;
};

TEST_F(WellKnownFoldersTest, ReadsTheFileXdgUserDirsWrites) {
    writeUserDirs("# This file is written by xdg-user-dirs-update\n"
                  "XDG_DESKTOP_DIR=\"$HOME/Skrivebord\"\n"
                  "XDG_DOWNLOAD_DIR=\"$HOME/Nedlastinger\"\n"
                  "XDG_DOCUMENTS_DIR=\"$HOME/Dokumenter\"\n"
                  "XDG_MUSIC_DIR=\"$HOME/Musikk\"\n"
                  "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"
                  "XDG_VIDEOS_DIR=\"$HOME/Videoer\"\n");
    EXPECT_EQ(folder(WellKnownFolder::desktop), "Skrivebord");
    EXPECT_EQ(folder(WellKnownFolder::downloads), "Nedlastinger");
    EXPECT_EQ(folder(WellKnownFolder::documents), "Dokumenter");
    EXPECT_EQ(folder(WellKnownFolder::music), "Musikk");
    EXPECT_EQ(folder(WellKnownFolder::pictures), "Bilder");
    EXPECT_EQ(folder(WellKnownFolder::movies), "Videoer");
}

TEST_F(WellKnownFoldersTest, AcceptsShellQuotingAndAbsolutePathsInsideHome) {
    writeUserDirs("XDG_VIDEOS_DIR=\"$HOME/My \\\"Clips\\\"\"\n"
                  "XDG_MUSIC_DIR='" +
                  home.path().string() +
                  "/Media/Music/'\n"
                  "  XDG_PICTURES_DIR=${HOME}/Photos # trailing comment\r\n"
                  "XDG_DESKTOP_DIR=\"$HOME/\"Work' Desk'\n");
    EXPECT_EQ(folder(WellKnownFolder::movies), "My \"Clips\"");
    EXPECT_EQ(folder(WellKnownFolder::music), "Media/Music");
    EXPECT_EQ(folder(WellKnownFolder::pictures), "Photos");
    EXPECT_EQ(folder(WellKnownFolder::desktop), "Work Desk");
}

TEST_F(WellKnownFoldersTest, IgnoresEntriesThatDoNotNameAFolderInsideHome) {
    writeUserDirs("XDG_DESKTOP_DIR=\"$HOME\"\n"
                  "XDG_DOCUMENTS_DIR=\"/srv/shared/Documents\"\n"
                  "XDG_DOWNLOAD_DIR=\"$HOME/../other/Downloads\"\n"
                  "XDG_PICTURES_DIR=\"$HOMEDIR/Pictures\"\n"
                  "XDG_VIDEOS_DIR=\"$HOME/Videos\n"
                  "XDG_MUSIC_DIR='$HOME/Music'\n"
                  "#XDG_MUSIC_DIR=\"$HOME/Commented\"\n"
                  "XDG_MUSIC_DIRX=\"$HOME/Other\"\n"
                  "XDG_MUSIC_DIR=$HOME/My Music\n");
    EXPECT_EQ(folder(WellKnownFolder::desktop), "Desktop");
    EXPECT_EQ(folder(WellKnownFolder::documents), "Documents");
    EXPECT_EQ(folder(WellKnownFolder::downloads), "Downloads");
    EXPECT_EQ(folder(WellKnownFolder::pictures), "Pictures");
    EXPECT_EQ(folder(WellKnownFolder::movies), "Movies");
    EXPECT_EQ(folder(WellKnownFolder::music), "Music");
}

TEST_F(WellKnownFoldersTest, LastAssignmentWinsLikeInTheShell) {
    writeUserDirs("XDG_VIDEOS_DIR=\"$HOME/Videos\"\n"
                  "XDG_VIDEOS_DIR=\"$HOME/Film\"\n"
                  "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n"
                  "XDG_DOCUMENTS_DIR=\"/mnt/elsewhere\"\n");
    EXPECT_EQ(folder(WellKnownFolder::movies), "Film");
    // The shell would point outside home, so the usual name is used, not the earlier entry.
    EXPECT_EQ(folder(WellKnownFolder::documents), "Documents");
}

} // namespace
} // namespace vesk::platform
