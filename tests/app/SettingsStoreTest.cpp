#include "app/SettingsStore.h"
#include "app/AppLocation.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

QString fileIn(const test::TempDir& dir, const char* name) {
    return QString::fromStdString((dir / name).string());
}

TEST(SettingsStore, MissingEntriesAndEntriesOfTheWrongTypeTakeTheirDefaults) {
    test::TempDir dir;
    // "onboarded=true" without any source is not onboarded either.
    test::writeFile(dir / "wrong.conf",
                    "[General]\nuseLLM=yes\nallowContent=1\nminAgeDays=soon\nonboarded=true\n");
    for (const char* name : {"missing.conf", "wrong.conf"}) {
        const SettingsStore store(fileIn(dir, name));
        EXPECT_TRUE(store.isUsable()) << name;
        EXPECT_TRUE(store.sources().empty()) << name;
        EXPECT_FALSE(store.onboarded()) << name;
        EXPECT_FALSE(store.useLLM()) << name;
        EXPECT_FALSE(store.allowContent()) << name;
        EXPECT_EQ(store.minAgeDays(), SettingsStore::defaultMinAgeDays) << name;
    }
}

TEST(SettingsStore, RoundTripsEveryEntryIncludingAwkwardPaths) {
    test::TempDir dir;
    const std::vector<std::filesystem::path> sources{"/home/a/Down, loads", "/home/a/Skrivebord å"};
    {
        SettingsStore store(fileIn(dir, "vesk.conf"));
        store.setSources(sources);
        store.setOnboarded(true);
        store.setUseLLM(false);
        store.setAllowContent(true);
        store.setMinAgeDays(0.5);
        store.sync();
    }
    const SettingsStore store(fileIn(dir, "vesk.conf"));
    EXPECT_EQ(store.sources(), sources);
    EXPECT_TRUE(store.onboarded());
    EXPECT_EQ(store.useLLM(), false); // stored, so not absent
    EXPECT_TRUE(store.allowContent());
    EXPECT_EQ(store.minAgeDays(), 0.5);
}

TEST(AppLocation, HomeArgumentChoosesAFixtureApartFromTheRealHome) {
    test::TempDir dir;
    const auto location =
        AppLocation::fromArguments({"vesk", "--home", fileIn(dir, "demo"), "--home", "/x"});
    EXPECT_TRUE(location.isFixture);
    EXPECT_EQ(location.home, dir / "demo");
    EXPECT_EQ(location.supportDir, dir / "demo/.vesk-app");
    EXPECT_TRUE(location.settingsFile.endsWith("/vesk/app.vesk.Vesk.fixture.conf"));

    // "--home" without a folder is no fixture.
    const auto standard = AppLocation::fromArguments({"vesk", "--home"});
    EXPECT_FALSE(standard.isFixture);
    EXPECT_EQ(standard.home, accountHome());
    EXPECT_TRUE(standard.settingsFile.endsWith("/vesk/vesk.conf"));
}

} // namespace
} // namespace vesk
