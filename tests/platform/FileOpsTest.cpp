#include "platform/FileOps.h"

#include "OtherVolume.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

struct stat statusOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status;
}

TEST(FileOpsTest, RenamesWithinAVolumeButNeverReplaces) {
    TempDir dir;
    const fs::path from = writeFile(dir / "a.txt", "mine");
    const fs::path taken = writeFile(dir / "b.txt", "theirs");

    EXPECT_EQ(moveEntry(from, taken), std::errc::file_exists);
    EXPECT_EQ(readFile(from), "mine");
    EXPECT_EQ(readFile(taken), "theirs");

    EXPECT_FALSE(moveEntry(from, dir / "c.txt"));
    EXPECT_FALSE(fs::exists(from));
    EXPECT_EQ(readFile(dir / "c.txt"), "mine");
}

TEST(FileOpsTest, MovesAFileAcrossVolumesKeepingItsMetadata) {
    TempDir dir;
    const auto other = test::otherVolume(dir.path());
    if (!other) {
        GTEST_SKIP() << "no second file system";
    }
    const fs::path from = writeFile(dir / "report.pdf", "contents");
    ::chmod(from.c_str(), 0640);
    const timespec times[2] = {{1000000000, 0}, {1200000000, 500}};
    ::utimensat(AT_FDCWD, from.c_str(), times, 0);
    const bool tagged =
        ::setxattr(from.c_str(), "user.xdg.origin.url", "https://a.example", 17, 0) == 0;

    const fs::path to = *other / "report.pdf";
    ASSERT_FALSE(moveEntry(from, to));

    EXPECT_FALSE(fs::exists(from));
    EXPECT_EQ(readFile(to), "contents");
    const struct stat moved = statusOf(to);
    EXPECT_EQ(moved.st_mode & 07777, 0640u);
    EXPECT_EQ(moved.st_mtim.tv_sec, 1200000000);
    EXPECT_EQ(moved.st_mtim.tv_nsec, 500);
    if (tagged) {
        char value[32] = {};
        EXPECT_EQ(::getxattr(to.c_str(), "user.xdg.origin.url", value, sizeof value), 17);
        EXPECT_STREQ(value, "https://a.example");
    }
}

TEST(FileOpsTest, MovesAFolderAcrossVolumesWhole) {
    TempDir dir;
    const auto other = test::otherVolume(dir.path());
    if (!other) {
        GTEST_SKIP() << "no second file system";
    }
    const fs::path from = dir / "Tool.app";
    writeFile(from / "Contents/Info.plist", "plist");
    fs::create_symlink("Contents/Info.plist", from / "link");
    ::mkfifo((from / "pipe").c_str(), 0600);
    ::chmod((from / "Contents").c_str(), 0555);

    const fs::path to = *other / "Tool.app";
    ASSERT_FALSE(moveEntry(from, to));

    EXPECT_FALSE(fs::exists(from));
    EXPECT_EQ(readFile(to / "Contents/Info.plist"), "plist");
    EXPECT_EQ(fs::read_symlink(to / "link"), "Contents/Info.plist");
    EXPECT_TRUE(fs::is_fifo(to / "pipe"));
    EXPECT_EQ(statusOf(to / "Contents").st_mode & 07777, 0555u);
}

TEST(FileOpsTest, CrossVolumeMoveNeverReplacesAndLeavesTheTakenNameAlone) {
    TempDir dir;
    const auto other = test::otherVolume(dir.path());
    if (!other) {
        GTEST_SKIP() << "no second file system";
    }
    const fs::path from = writeFile(dir / "x" / "a.txt", "mine");
    const fs::path taken = writeFile(*other / "x" / "b.txt", "theirs");

    EXPECT_EQ(moveEntry(dir / "x", *other / "x"), std::errc::file_exists);
    EXPECT_EQ(readFile(from), "mine");
    EXPECT_EQ(readFile(taken), "theirs");
    EXPECT_FALSE(fs::exists(*other / "x" / "a.txt"));
}

TEST(FileOpsTest, FailedCrossVolumeCopyLeavesNoPartialCopyAndTheSourceWhole) {
    TempDir dir;
    const auto other = test::otherVolume(dir.path());
    if (!other) {
        GTEST_SKIP() << "no second file system";
    }
    // A socket cannot be carried over, so the copy stops part-way.
    const fs::path from = dir / "folder";
    writeFile(from / "a.txt", "keep me");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (from / "z.sock").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(sock);

    EXPECT_TRUE(moveEntry(from, *other / "folder"));
    EXPECT_EQ(readFile(from / "a.txt"), "keep me");
    EXPECT_TRUE(fs::is_socket(from / "z.sock"));
    EXPECT_FALSE(fs::exists(*other / "folder"));
}

} // namespace
} // namespace vesk::platform
