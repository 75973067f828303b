#include "platform/WellKnownFolders.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace vesk::platform {
namespace {

using test::TempDir;
using test::writeFile;
using Names = std::vector<std::string>;

class WellKnownFoldersTest : public ::testing::Test {
protected:
    // Desktop, Documents, Downloads, Pictures, Movies, Music in that order.
    Names foldersAfterWriting(const std::string& userDirs) {
        writeFile(home / ".config/user-dirs.dirs", userDirs);
        Names names;
        using enum WellKnownFolder;
        for (const WellKnownFolder which :
             {desktop, documents, downloads, pictures, movies, music}) {
            names.push_back(wellKnownFolder(home.path(), which));
        }
        return names;
    }

    TempDir home;
};

TEST_F(WellKnownFoldersTest, ReadsTheFileXdgUserDirsWritesWithShellQuoting) {
    // The last assignment wins, as in the shell.
    EXPECT_EQ(foldersAfterWriting("XDG_DOWNLOAD_DIR=\"$HOME/Nedlastinger\"\n"
                                  "XDG_DOCUMENTS_DIR=\"$HOME/Dokumenter\"\n"
                                  "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n"
                                  "XDG_VIDEOS_DIR=\"$HOME/My \\\"Clips\\\"\"\n"
                                  "XDG_MUSIC_DIR='" +
                                  home.path().string() +
                                  "/Media/Music/'\n"
                                  "  XDG_PICTURES_DIR=${HOME}/Photos # trailing comment\r\n"
                                  "XDG_DESKTOP_DIR=\"$HOME/\"Work' Desk'\n"),
              (Names{"Work Desk", "Dokumenter", "Nedlastinger", "Photos", "My \"Clips\"",
                     "Media/Music"}));
}

TEST_F(WellKnownFoldersTest, IgnoresEntriesThatDoNotNameAFolderInsideHome) {
    EXPECT_EQ(wellKnownFolder(home.path(), WellKnownFolder::movies), "Movies"); // no file
    // A later entry outside home gives the usual name, not the earlier entry.
    EXPECT_EQ(foldersAfterWriting("XDG_DESKTOP_DIR=\"$HOME\"\n"
                                  "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n"
                                  "XDG_DOCUMENTS_DIR=\"/srv/shared/Documents\"\n"
                                  "XDG_DOWNLOAD_DIR=\"$HOME/../other/Downloads\"\n"
                                  "XDG_PICTURES_DIR=\"$HOMEDIR/Pictures\"\n"
                                  "XDG_VIDEOS_DIR=\"$HOME/Videos\n"
                                  "XDG_MUSIC_DIR='$HOME/Music'\n"
                                  "#XDG_MUSIC_DIR=\"$HOME/Commented\"\n"
                                  "XDG_MUSIC_DIRX=\"$HOME/Other\"\n"
                                  "XDG_MUSIC_DIR=$HOME/My Music\n"),
              (Names{"Desktop", "Documents", "Downloads", "Pictures", "Movies", "Music"}));
}

TEST_F(WellKnownFoldersTest, TheAccountsOwnHomeTakesTheFileFromXdgConfigHome) {
    const TempDir config;
    writeFile(config / "user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Téléchargements\"\n");
    writeFile(home / ".config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Unused\"\n");
    ::setenv("HOME", (home.path().string() + "/").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    EXPECT_EQ(wellKnownFolder(home.path(), WellKnownFolder::downloads), "Téléchargements");

    // Another home, such as a demo home, keeps its own names.
    const TempDir demo;
    writeFile(demo / ".config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Nedlastinger\"\n");
    EXPECT_EQ(wellKnownFolder(demo.path(), WellKnownFolder::downloads), "Nedlastinger");
}

} // namespace
} // namespace vesk::platform
