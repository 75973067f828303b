#include "core/AtomicFile.h"
#include "core/Dates.h"
#include "core/FileUrl.h"
#include "core/Plan.h"
#include "core/Suggestion.h"
#include "core/Uuid.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <unordered_set>

namespace vesk {
namespace {

TEST(FileUrl, EscapesBytesAndRoundTripsNamesThatAreNotUtf8) {
    EXPECT_EQ(toFileUrl("/home/a/My File #1.pdf"), "file:///home/a/My%20File%20%231.pdf");
    EXPECT_EQ(toFileUrl("/home/a/发票.pdf"), "file:///home/a/%E5%8F%91%E7%A5%A8.pdf");

    const std::filesystem::path latin1("/home/a/caf\xE9 100%.txt");
    const std::string url = toFileUrl(latin1);
    EXPECT_EQ(url, "file:///home/a/caf%E9%20100%25.txt");
    EXPECT_EQ(fromFileUrl(url), latin1);
}

TEST(FileUrl, RejectsWhatIsNotALocalFileUrl) {
    EXPECT_EQ(fromFileUrl("file://localhost/tmp/x"), std::filesystem::path("/tmp/x"));
    EXPECT_FALSE(fromFileUrl("http://example.com/x"));
    EXPECT_FALSE(fromFileUrl("file://server/share/x"));
    EXPECT_FALSE(fromFileUrl("file:///tmp/bad%2"));
    EXPECT_FALSE(fromFileUrl("file:///tmp/bad%zz"));
    EXPECT_FALSE(fromFileUrl("file:///tmp/nul%00byte"));
}

TEST(Dates, CountSecondsFromTheStartOf2001) {
    EXPECT_DOUBLE_EQ(toReferenceSeconds(Date{}), -978307200.0);
    const Date later = fromReferenceSeconds(86400.5);
    EXPECT_DOUBLE_EQ(toReferenceSeconds(later), 86400.5);
}

TEST(Uuid, IsFreshUpperCaseVersion4) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        const std::string id = newUuid();
        ASSERT_TRUE(isUuid(id)) << id;
        EXPECT_EQ(id[14], '4');
        EXPECT_NE(std::string("89AB").find(id[19]), std::string::npos);
        for (const char c : id) {
            EXPECT_FALSE(c >= 'a' && c <= 'z') << id;
        }
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 100u);
    EXPECT_FALSE(isUuid("not-a-uuid"));
    EXPECT_FALSE(isUuid("0123456789ABCDEF0123456789ABCDEF0123"));
}

TEST(AtomicFile, ReplacesContentsAndLeavesNoTemporaryFiles) {
    test::TempDir dir;
    const auto file = dir / "support/history.json";
    ASSERT_TRUE(writeFileAtomically(file, "first"));
    ASSERT_TRUE(writeFileAtomically(file, "second"));
    EXPECT_EQ(test::readFile(file), "second");

    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir / "support")) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFile, FailsWhenTheFolderCannotExist) {
    test::TempDir dir;
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

    std::unordered_set<Action> actions{Action::move("a"), Action::move("a"), Action::move("b"),
                                       Action::trash(), Action::keep()};
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
    ASSERT_EQ(settings.sources.size(), 1u);
    EXPECT_EQ(settings.sources[0], std::filesystem::path("/home/h/Downloads"));
    EXPECT_EQ(settings.minAgeDays, 3);
    EXPECT_EQ(settings.threshold, 0.45);
    EXPECT_TRUE(settings.useLLM);
    EXPECT_TRUE(settings.useQA);
    EXPECT_FALSE(settings.allowContent);
    EXPECT_FALSE(settings.verbose);
    EXPECT_FALSE(settings.profileCache);

    const OrganizerSettings desktop(std::filesystem::path("/home/h"),
                                    std::filesystem::path("/home/h/Desktop"));
    EXPECT_EQ(desktop.sources, std::vector<std::filesystem::path>{"/home/h/Desktop"});
}

} // namespace
} // namespace vesk
