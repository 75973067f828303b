#include "platform/FileOps.h"

#include "platform/EntryStatus.h"
#include "support/ChildProcess.h"
#include "support/OtherVolume.h"
#include "support/ScratchVolume.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::readFile;
using test::TempDir;
using test::writeFile;

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

TEST(FileOpsTest, MovesAFileAndAFolderAcrossVolumesWithTheirMetadata) {
    TempDir dir;
    const auto other = test::otherVolume(dir.path());
    if (!other) {
        GTEST_SKIP() << "no second file system";
    }
    const auto modified = std::chrono::sys_seconds(1200000000s) + 500ns;
    const fs::path file = writeFile(dir / "report.pdf", "contents");
    fs::permissions(file, fs::perms(0640));
    fs::last_write_time(file, std::chrono::file_clock::from_sys(modified));
    const bool tagged =
        ::setxattr(file.c_str(), "user.xdg.origin.path", "https://a.example", 17, 0) == 0;
    const fs::path folder = dir / "Tool.app";
    writeFile(folder / "Contents/Info.plist", "plist");
    fs::create_symlink("Contents/Info.plist", folder / "link");
    ::mkfifo((folder / "pipe").c_str(), 0600);
    fs::permissions(folder / "Contents", fs::perms(0555));

    const fs::path to = *other / "report.pdf";
    ASSERT_FALSE(moveEntry(file, to));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(readFile(to), "contents");
    EXPECT_EQ(fs::status(to).permissions(), fs::perms(0640));
    EXPECT_EQ(std::chrono::file_clock::to_sys(fs::last_write_time(to)), modified);
    if (tagged) {
        EXPECT_EQ(extendedAttribute(to, "user.xdg.origin.path"), "https://a.example");
    }

    ASSERT_FALSE(moveEntry(folder, *other / "Tool.app"));
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(readFile(*other / "Tool.app/Contents/Info.plist"), "plist");
    EXPECT_EQ(fs::read_symlink(*other / "Tool.app/link"), "Contents/Info.plist");
    EXPECT_TRUE(fs::is_fifo(*other / "Tool.app/pipe"));
    EXPECT_EQ(fs::status(*other / "Tool.app/Contents").permissions(), fs::perms(0555));
}

TEST(FileOpsTest, FailedCrossVolumeMovesLeaveEverythingAsItWas) {
    TempDir dir;
    const auto other = test::otherVolume(dir.path());
    if (!other) {
        GTEST_SKIP() << "no second file system";
    }
    const fs::path from = writeFile(dir / "x/a.txt", "mine");
    const fs::path taken = writeFile(*other / "x/b.txt", "theirs");
    EXPECT_EQ(moveEntry(dir / "x", *other / "x"), std::errc::file_exists);
    EXPECT_EQ(readFile(from), "mine");
    EXPECT_EQ(readFile(taken), "theirs");
    EXPECT_FALSE(fs::exists(*other / "x/a.txt"));

    // A socket cannot be carried over, so the copy stops part-way.
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (dir / "x/z.sock").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(sock);

    EXPECT_TRUE(moveEntry(dir / "x", *other / "y"));
    EXPECT_EQ(readFile(from), "mine");
    EXPECT_TRUE(fs::is_socket(dir / "x/z.sock"));
    EXPECT_FALSE(fs::exists(*other / "y"));
}

TEST(FileOpsTest, AKilledCrossVolumeMoveNeverLeavesAFileUnderTheRealName) {
    TempDir dir;
    const auto volume = test::ScratchVolume::mount(32U << 20U);
    if (!volume) {
        GTEST_SKIP() << "needs root, to mount a small tmpfs";
    }
    // Sparse, and far larger than the volume: still copying, or out of space, when killed.
    const fs::path big = writeFile(dir / "big.iso", "");
    fs::resize_file(big, 1U << 30U);
    test::ChildProcess mover([&] { return moveEntry(big, *volume / "big.iso") ? 1 : 0; });
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (fs::is_empty(volume->path()) && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(1ms);
    }
    mover.kill();

    EXPECT_FALSE(fs::exists(*volume / "big.iso"));
    // A stale copy is hidden, so neither a scan nor the file manager shows it as a file.
    for (const auto& entry : fs::directory_iterator(volume->path())) {
        EXPECT_TRUE(entry.path().filename().string().starts_with(".")) << entry.path();
    }
    EXPECT_EQ(fs::file_size(big), 1U << 30U);
}

TEST(FileOpsTest, ASourceThatCouldNotBeRemovedIsNeitherCopiedNorLeftCopied) {
    TempDir dir;
    const auto source = test::ScratchVolume::mount(1U << 20U);
    if (!source) {
        GTEST_SKIP() << "needs root, to mount a read-only tmpfs";
    }
    writeFile(*source / "Tool.app/Contents/Info.plist", "plist");
    fs::permissions(*source / "Tool.app/Contents", fs::perms(0555));
    writeFile(*source / "notes.txt", "notes");
    ASSERT_TRUE(source->makeReadOnly());

    for (const char* name : {"Tool.app", "notes.txt"}) {
        EXPECT_EQ(moveEntry(*source / name, dir / name), std::errc::read_only_file_system) << name;
        EXPECT_TRUE(fs::is_empty(dir.path())) << name;
    }
    EXPECT_EQ(readFile(*source / "Tool.app/Contents/Info.plist"), "plist");
    EXPECT_EQ(readFile(*source / "notes.txt"), "notes");
}

} // namespace
} // namespace vesk::platform
