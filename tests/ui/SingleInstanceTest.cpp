#include "ui/SingleInstance.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QSignalSpy>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace vesk {
namespace {

namespace fs = std::filesystem;

// The runtime and temporary folders are the test's own, so nothing real is locked or left.
class SingleInstanceTest : public testing::Test {
protected:
    SingleInstanceTest()
        : runtimeBefore_(qgetenv("XDG_RUNTIME_DIR")), tmpBefore_(qgetenv("TMPDIR")) {
        fs::permissions(test::makeDir(runtime), fs::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.native()));
        qputenv("TMPDIR", QByteArray::fromStdString(test::makeDir(dir / "tmp").native()));
    }
    ~SingleInstanceTest() override {
        qputenv("XDG_RUNTIME_DIR", runtimeBefore_);
        qputenv("TMPDIR", tmpBefore_);
    }
    SingleInstanceTest(const SingleInstanceTest&) = delete;
    SingleInstanceTest& operator=(const SingleInstanceTest&) = delete;

    // Where the lock for `home` is, found by claiming it once.
    fs::path lockOf(const fs::path& folder) {
        SingleInstance once(home);
        EXPECT_EQ(once.claim({}), SingleInstance::Claim::first);
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".lock") {
                return entry.path();
            }
        }
        return {};
    }

    test::TempDir dir;
    const fs::path runtime = dir / "runtime";
    const fs::path home = test::makeDir(dir / "home");

private:
    QByteArray runtimeBefore_;
    QByteArray tmpBefore_;
};

TEST_F(SingleInstanceTest, ASecondLaunchForTheSameHomeHandsItsWindowOptionsToTheFirst) {
    SingleInstance first(home);
    ASSERT_EQ(first.claim({}), SingleInstance::Claim::first);
    QSignalSpy arrived(&first, &SingleInstance::arrived);

    // The same home, reached through a link.
    fs::create_symlink(home, dir / "link");
    SingleInstance second(dir / "link");
    const QStringList options = {"--open-review", "--welcome-step", "2"};
    EXPECT_EQ(second.claim(options), SingleInstance::Claim::handedOver);
    ASSERT_TRUE(arrived.wait(5000));
    EXPECT_EQ(arrived.at(0).at(0).toStringList(), options);

    SingleInstance another(test::makeDir(dir / "another home"));
    EXPECT_EQ(another.claim({}), SingleInstance::Claim::first);
}

TEST_F(SingleInstanceTest, ALockOrARuntimeFolderThatIsNotOursIsNeverObeyed) {
    // Offered a runtime folder that others can enter, Vesk makes a private one of its own.
    fs::permissions(runtime, fs::perms::owner_all | fs::perms::others_all);
    const fs::path own = dir / "tmp" / ("vesk-" + std::to_string(::getuid()));
    const fs::path lock = lockOf(own);
    ASSERT_FALSE(lock.empty());
    EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all);
    if (::geteuid() != 0) {
        GTEST_SKIP() << "a lock of another user's needs root to make";
    }
    // A lock naming a live Vesk, but written by another user, is cleared away.
    std::ofstream(lock) << ::getpid() << '\n'
                        << QCoreApplication::applicationName().toStdString() << '\n'
                        << QSysInfo::machineHostName().toStdString() << '\n';
    ASSERT_EQ(::chown(lock.c_str(), 65534, 65534), 0);
    SingleInstance vesk(home);
    EXPECT_EQ(vesk.claim({}), SingleInstance::Claim::first);
}

} // namespace
} // namespace vesk
