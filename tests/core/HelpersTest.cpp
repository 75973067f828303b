#include "core/AtomicFile.h"
#include "core/Dates.h"
#include "core/FileUrl.h"
#include "core/Plan.h"
#include "core/Suggestion.h"
#include "core/Uuid.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <tuple>
#include <unordered_set>

namespace vesk {
namespace {

TEST(FileUrl, EscapesBytesRoundTripsNamesThatAreNotUtf8AndRejectsOtherUrls) {
    EXPECT_EQ(toFileUrl("/home/a/My File #1.pdf"), "file:///home/a/My%20File%20%231.pdf");
    const std::filesystem::path latin1("/home/a/caf\xE9 100%.txt");
    EXPECT_EQ(toFileUrl(latin1), "file:///home/a/caf%E9%20100%25.txt");
    EXPECT_EQ(fromFileUrl(toFileUrl(latin1)), latin1);

    EXPECT_EQ(fromFileUrl("file://localhost/tmp/x"), std::filesystem::path("/tmp/x"));
    for (const char* url : {"http://example.com/x", "file://server/share/x", "file:///tmp/bad%2",
                            "file:///tmp/bad%zz", "file:///tmp/nul%00byte"}) {
        EXPECT_FALSE(fromFileUrl(url)) << url;
    }
}

TEST(Dates, CountSecondsFromTheStartOf2001) {
    EXPECT_DOUBLE_EQ(toReferenceSeconds(Date{}), -978307200.0);
    EXPECT_DOUBLE_EQ(toReferenceSeconds(fromReferenceSeconds(86400.5)), 86400.5);
}

TEST(Uuid, IsFreshUpperCaseVersion4) {
    const std::regex form("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        const std::string id = newUuid();
        EXPECT_TRUE(std::regex_match(id, form) && isUuid(id)) << id;
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 100u);
    EXPECT_FALSE(isUuid("not-a-uuid"));
    EXPECT_FALSE(isUuid("0123456789ABCDEF0123456789ABCDEF0123"));
}

TEST(AtomicFile, ReplacesContentsLeavesNoTemporaryFilesAndFailsCleanly) {
    test::TempDir dir;
    const auto file = dir / "support/history.json";
    ASSERT_TRUE(writeFileAtomically(file, "first"));
    ASSERT_TRUE(writeFileAtomically(file, "second"));
    EXPECT_EQ(test::readFile(file), "second");
    using Entries = std::filesystem::directory_iterator;
    EXPECT_EQ(std::distance(Entries(dir / "support"), Entries()), 1);

    // The folder cannot be created where a plain file is.
    test::writeFile(dir / "plain");
    EXPECT_FALSE(writeFileAtomically(dir / "plain/history.json", "x"));
    EXPECT_EQ(test::readFile(dir / "plain"), "x");
}

TEST(Action, KeysLabelsAndEquality) {
    EXPECT_EQ(Action::move("keep").key(), Action::keep().key());
    EXPECT_NE(Action::move("keep"), Action::keep());
    EXPECT_EQ(Action::move("Pictures/Trips").label(), "→ Pictures/Trips");
    EXPECT_EQ(Action::trash().label(), "→ 废纸篓");
    EXPECT_EQ(Action::toApplications().key(), "/Applications");
    EXPECT_EQ(Action::ask().label(), "需要你决定");
    const std::unordered_set<Action> actions{Action::move("a"), Action::move("a"),
                                             Action::move("b"), Action::trash(), Action::keep()};
    EXPECT_EQ(actions.size(), 4u);
}

TEST(Layer, ReadsBackOnlyItsOwnTexts) {
    for (const Layer layer : {Layer::skip, Layer::userFolder, Layer::rule, Layer::match,
                              Layer::typeDefault, Layer::llm, Layer::content, Layer::none}) {
        EXPECT_EQ(layerFromRawValue(rawValue(layer)), layer);
    }
    EXPECT_EQ(layerFromRawValue("② 类型默认"), Layer::typeDefault);
    EXPECT_FALSE(layerFromRawValue("②"));
    EXPECT_FALSE(layerFromRawValue(""));
}

TEST(OrganizerSettings, ConvenienceDefaultsToTheDownloadsFolder) {
    const OrganizerSettings settings(std::filesystem::path("/home/h"));
    EXPECT_EQ(settings.sources, std::vector<std::filesystem::path>{"/home/h/Downloads"});
    // minAgeDays, threshold, useLLM, useQA, allowContent, verbose
    EXPECT_EQ(std::tuple(settings.minAgeDays, settings.threshold, settings.useLLM, settings.useQA,
                         settings.allowContent, settings.verbose),
              std::tuple(3.0, 0.45, true, true, false, false));
    EXPECT_FALSE(settings.profileCache);
    const OrganizerSettings desktop(std::filesystem::path("/home/h"),
                                    std::filesystem::path("/home/h/Desktop"));
    EXPECT_EQ(desktop.sources, std::vector<std::filesystem::path>{"/home/h/Desktop"});
}

} // namespace
} // namespace vesk
