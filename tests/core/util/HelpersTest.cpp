#include "core/util/AtomicFile.h"
#include "core/util/Dates.h"
#include "core/text/ExactText.h"
#include "core/util/FileUrl.h"
#include "core/util/Uuid.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>
#include <regex>
#include <set>

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

TEST(ExactText, KeepsUtf8AsItIsAndTellsEveryOtherNameApart) {
    EXPECT_EQ(exactText("Résumé 旅行 2024.pdf"), "Résumé 旅行 2024.pdf");
    EXPECT_EQ(exactText("100% caf\xE9"), "100%25 caf%E9");
    // Overlong forms, surrogates and cut sequences are not UTF-8 either.
    EXPECT_EQ(exactText("\xC0\xAF|\xED\xA0\x80|\xE2\x82"), "%C0%AF|%ED%A0%80|%E2%82");
    const std::set<std::string> texts{exactText("caf\xE9"), exactText("caf%E9"),
                                      exactText("caf%25E9"), exactText("café")};
    EXPECT_EQ(texts.size(), 4U);
}

TEST(Dates, CountSecondsFromTheStartOf2001AndRefuseWhatNoClockReaches) {
    EXPECT_DOUBLE_EQ(toReferenceSeconds(Date{}), -978307200.0);
    EXPECT_DOUBLE_EQ(toReferenceSeconds(*fromReferenceSeconds(86400.5)), 86400.5);
    EXPECT_TRUE(fromReferenceSeconds(-978307200.0 * 7)); // 1912
    for (const double seconds :
         {1e10, -1e10, 1e300, -1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(fromReferenceSeconds(seconds)) << seconds;
    }
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

} // namespace
} // namespace vesk
