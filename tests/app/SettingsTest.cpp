#include "app/Settings.h"
#include "app/AppLocation.h"
#include "app/ModelEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vesk {
namespace {

QString fileIn(const test::TempDir& dir, const char* name) {
    return QString::fromStdString((dir / name).string());
}

TEST(Settings, MissingEntriesAndEntriesOfTheWrongTypeTakeTheirDefaults) {
    test::TempDir dir;
    // "onboarded=true" without any source is not onboarded either; relative paths are no folders.
    test::writeFile(dir / "wrong.conf",
                    "[General]\nuseLLM=yes\nallowContent=1\nminAgeDays=soon\n"
                    "onboarded=true\nsources=Downloads\nuseNameIndex=0\nnotifyWhenFilesWait=0\n");
    test::writeFile(dir / "negative.conf", "[General]\nminAgeDays=-2\n");
    test::writeFile(dir / "infinite.conf", "[General]\nminAgeDays=inf\n");
    test::writeFile(dir / "nan.conf", "[General]\nminAgeDays=nan\n");
    test::writeFile(dir / "huge.conf", "[General]\nminAgeDays=1e9\n");
    for (const char* name :
         {"missing.conf", "wrong.conf", "negative.conf", "infinite.conf", "nan.conf", "huge.conf"}) {
        const auto loaded = Settings::load(fileIn(dir, name));
        ASSERT_TRUE(loaded) << name;
        EXPECT_TRUE(loaded->sources.empty()) << name;
        EXPECT_FALSE(loaded->onboarded()) << name;
        EXPECT_FALSE(loaded->useLLM) << name;
        EXPECT_FALSE(loaded->allowContent) << name;
        EXPECT_EQ(loaded->minAgeDays, settings::minAgeDays.defaultValue) << name;
        EXPECT_TRUE(loaded->useNameIndex) << name;
        EXPECT_TRUE(loaded->notifyWhenFilesWait) << name;
    }
    std::filesystem::create_directory(dir / "folder.conf");
    EXPECT_FALSE(Settings::load(fileIn(dir, "folder.conf")));
}

// From autostart nobody sees a terminal: an unreadable store must not keep Vesk from starting,
// nor be lost to the next save.
TEST(Settings, AtStartAStoreThatIsNoFileIsSetAsideAndTheDefaultsUsed) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "folder.conf" / "inside");
    ASSERT_EQ(::mkfifo((dir / "fifo.conf").c_str(), 0600), 0);
    for (const char* name : {"folder.conf", "fifo.conf"}) {
        const auto stored = loadSettingsAtStart(fileIn(dir, name));
        EXPECT_EQ(stored.settings, Settings{}) << name;
        ASSERT_TRUE(stored.setAside) << name;
        EXPECT_TRUE(stored.setAside->filename().string().starts_with(std::string(name) +
                                                                     ".corrupt-"));
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
        EXPECT_FALSE(loadSettingsAtStart(fileIn(dir, name)).setAside) << name; // only once
        if (std::string(name) == "folder.conf") {
            EXPECT_TRUE(std::filesystem::is_directory(*stored.setAside / "inside"));
        }
    }
}

TEST(Settings, RoundTripsEveryEntryAndWritesOnlyThePartsAsked) {
    test::TempDir dir;
    const QString file = fileIn(dir, "vesk.conf");
    Settings settings;
    settings.sources = {"/home/a/Down, loads", "/home/a/Skrivebord å", "/home/a/caf\xE9"};
    settings.onboardingFinished = true;
    settings.useLLM = false;
    settings.allowContent = true;
    settings.minAgeDays = 0.5;
    settings.useNameIndex = false;
    settings.notifyWhenFilesWait = false;
    settings.targetRoots = {{"/home/a/Books", "/home/a/caf\xE9"}};
    settings.modelUrl = "http://localhost:8080";
    settings.model = "qwen2.5:3b-instruct-q4_K_M";
    settings.modelParallel = 2;
    ASSERT_TRUE(settings.save(file, Settings::sourcesPart | Settings::onboardedPart |
                                        Settings::preferencesPart | Settings::notificationsPart |
                                        Settings::targetRootsPart | Settings::modelPart));
    EXPECT_EQ(Settings::load(file), settings);

    // A sources change leaves the stored preferences alone.
    Settings other;
    other.sources = {"/home/a/Desktop"};
    ASSERT_TRUE(other.save(file, Settings::sourcesPart));
    auto expected = settings;
    expected.sources = other.sources;
    EXPECT_EQ(Settings::load(file), expected);
    // Paths that are UTF-8 are stored as plain text, as they always were.
    EXPECT_NE(test::readFile(dir / "vesk.conf").find("sources=/home/a/Desktop\n"),
              std::string::npos);

    // An emptied list of folders to file into stays empty; an unedited one is no entry at all.
    using Roots = std::optional<std::vector<std::filesystem::path>>;
    for (const Roots& roots : {Roots(std::vector<std::filesystem::path>{}), Roots()}) {
        expected.targetRoots = roots;
        ASSERT_TRUE(expected.save(file, Settings::targetRootsPart));
        EXPECT_EQ(Settings::load(file), expected);
    }

    // An unmade choice of the model is not written down.
    const QString fresh = fileIn(dir, "fresh.conf");
    ASSERT_TRUE(Settings{}.save(fresh, Settings::preferencesPart));
    EXPECT_EQ(Settings::load(fresh)->useLLM, std::nullopt);
}

TEST(Settings, OrganizerSettingsUseNormalFormsAndKeepAFixtureInsideItsHome) {
    test::TempDir dir;
    const auto location = AppLocation::fixture(dir / "home");
    Settings settings;
    settings.sources = {location.home / "Downloads/", location.home / "Downloads",
                        location.home / "Desktop/./", location.home / "Downloads/../../outside",
                        "/elsewhere"};
    settings.minAgeDays = 7;
    settings.allowContent = true;
    settings.useNameIndex = false;
    const auto organizer = organizerSettings(settings, location, false);
    EXPECT_EQ(organizer.sources,
              (std::vector{location.home / "Downloads", location.home / "Desktop"}));
    // The home given in another form is the same home.
    const auto sameHome = AppLocation::fixture(dir / "elsewhere/../home/");
    EXPECT_EQ(organizerSettings(settings, sameHome, false).sources, organizer.sources);
    EXPECT_EQ(organizer.minAgeDays, 7);
    EXPECT_TRUE(organizer.allowContent);
    EXPECT_FALSE(organizer.useNameIndex);
    EXPECT_FALSE(organizer.useLLM);
    EXPECT_EQ(organizer.profileCache, location.home / ".vesk-app/folder-profiles.json");
    EXPECT_EQ(organizer.modelAnswers, location.home / ".vesk-app/model-answers.json");
    EXPECT_EQ(organizer.targetRoots, std::nullopt); // never edited: found in the home

    // Folders to file into as the sources; when none is inside a fixture home, none was chosen
    // for it, but an emptied list stays empty.
    const auto rootsFrom = [&](std::vector<std::filesystem::path> roots) {
        Settings chosen;
        chosen.targetRoots = std::move(roots);
        return organizerSettings(chosen, location, false).targetRoots;
    };
    EXPECT_EQ(rootsFrom({location.home / "Books/", "/elsewhere", location.home / "Books"}),
              std::vector{location.home / "Books"});
    EXPECT_EQ(rootsFrom({"/elsewhere"}), std::nullopt);
    EXPECT_EQ(rootsFrom({}), std::vector<std::filesystem::path>{});

    // The person's own home takes sources wherever they are; none at all means Downloads.
    auto standard = AppLocation::standard();
    standard.home = dir / "me";
    EXPECT_EQ(organizerSettings(settings, standard, true).sources.back(), "/elsewhere");
    EXPECT_EQ(organizerSettings(Settings{}, standard, true).sources,
              std::vector{dir / "me/Downloads"});
}

TEST(AppLocation, HomeArgumentChoosesAFixtureApartFromTheRealHome) {
    test::TempDir dir;
    // The folder's name as the bytes it is, text or not.
    const std::string demo = (dir / "d\xE9mo").native();
    const auto location = AppLocation::fromArguments({"vesk", "--home", demo, "--home", "/x"});
    EXPECT_TRUE(location.isFixture);
    EXPECT_EQ(location.home.native(), demo);
    EXPECT_EQ(location.supportDir, location.home / ".vesk-app");
    EXPECT_TRUE(location.settingsFile.endsWith("/vesk/app.vesk.Vesk.fixture.conf"));

    // "--home" without a folder is no fixture.
    const auto standard = AppLocation::fromArguments({"vesk", "--home"});
    EXPECT_FALSE(standard.isFixture);
    EXPECT_EQ(standard.home, accountHome());
    EXPECT_TRUE(standard.settingsFile.endsWith("/vesk/vesk.conf"));
}

TEST(AppLocation, SystemDataFoldersFollowXdgDataDirs) {
    const std::vector<std::filesystem::path> usual = {"/usr/local/share", "/usr/share"};
    const std::vector<std::pair<const char*, std::vector<std::filesystem::path>>> cases = {
        {"/opt/data:relative/share:/usr/share/", {"/opt/data", "/usr/share"}},
        {"/var/lib/flatpak/exports/share", {"/var/lib/flatpak/exports/share"}},
        {"", usual},
        {"relative:only", {}},
        {nullptr, usual}};
    // The data home is no system folder, even where it is also listed as one.
    setenv("XDG_DATA_HOME", "/opt/data", 1);
    for (const auto& [value, folders] : cases) {
        if (value != nullptr) {
            setenv("XDG_DATA_DIRS", value, 1);
        } else {
            unsetenv("XDG_DATA_DIRS");
        }
        EXPECT_EQ(systemDataFolders(), folders) << (value != nullptr ? value : "unset");
    }
    setenv("XDG_DATA_DIRS", "/opt/data", 1);
    EXPECT_EQ(organizerSettings(Settings{}, AppLocation::standard(), false).systemDataFolders,
              std::vector<std::filesystem::path>{"/opt/data"});
}

// The settings choose the service; a variable that is set chooses instead, one that is empty or
// out of range does not.
TEST(ModelEnvironment, EachVariableSetOverridesItsSetting) {
    Settings settings;
    settings.modelUrl = "http://127.0.0.1:8080/v1";
    settings.model = "qwen2.5:3b";
    settings.modelParallel = 2;
    ModelEndpoint chosen = modelEndpoint(settings);
    chosen.key = "kept";
    const auto with = [&](auto change) {
        ModelEndpoint endpoint = chosen;
        change(endpoint);
        return endpoint;
    };
    struct Case {
        const char* variable;
        const char* value;
        ModelEndpoint expected;
    };
    const std::vector<Case> cases{
        {"VESK_MODEL_URL", "", chosen},
        {"VESK_MODEL_URL", "http://localhost:11434",
         with([](ModelEndpoint& e) { e.url = "http://localhost:11434"; })},
        {"VESK_MODEL_URL", "off", with([](ModelEndpoint& e) { e.url = "off"; })},
        {"VESK_MODEL", "llama3.2:3b", with([](ModelEndpoint& e) { e.model = "llama3.2:3b"; })},
        {"VESK_MODEL_KEY", "from-the-environment",
         with([](ModelEndpoint& e) { e.key = "from-the-environment"; })},
        {"VESK_MODEL_PARALLEL", "8", with([](ModelEndpoint& e) { e.parallel = 8; })},
        {"VESK_MODEL_PARALLEL", "0", chosen},
        {"VESK_MODEL_PARALLEL", "17", chosen},
        {"VESK_MODEL_PARALLEL", "many", chosen},
        {"VESK_MODEL_TIMEOUT", "120",
         with([](ModelEndpoint& e) { e.timeout = std::chrono::minutes(2); })},
    };
    const char* const variables[] = {"VESK_MODEL_URL", "VESK_MODEL", "VESK_MODEL_KEY",
                                     "VESK_MODEL_PARALLEL", "VESK_MODEL_TIMEOUT"};
    for (const char* variable : variables) {
        unsetenv(variable);
    }
    EXPECT_EQ(ModelEnvironment::read(), ModelEnvironment{});
    EXPECT_EQ(ModelEnvironment::read().over(chosen), chosen);
    for (const auto& [variable, value, expected] : cases) {
        setenv(variable, value, 1);
        EXPECT_EQ(ModelEnvironment::read().over(chosen), expected) << variable << "=" << value;
        unsetenv(variable);
    }
}

TEST(ModelEnvironment, TimeOutIsAPositiveNumberOfSeconds) {
    using std::chrono::milliseconds;
    const std::vector<std::pair<const char*, milliseconds>> cases{
        {"120", milliseconds(120'000)},  {" 0.25 ", milliseconds(250)},
        {"1e400", milliseconds(60'000)}, {"0", milliseconds(60'000)},
        {"-5", milliseconds(60'000)},    {"soon", milliseconds(60'000)},
        {"", milliseconds(60'000)},      {"1e9", milliseconds(86'400'000)}};
    for (const auto& [text, timeout] : cases) {
        setenv("VESK_MODEL_TIMEOUT", text, 1);
        EXPECT_EQ(ModelEnvironment::read().over({}).timeout, timeout) << text;
    }
    unsetenv("VESK_MODEL_TIMEOUT");
    EXPECT_EQ(ModelEnvironment::read().timeout, std::nullopt);
}

} // namespace
} // namespace vesk
