#include "core/Kind.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vesk {
namespace {

TEST(KindTest, RawValuesRoundTripAndRejectOtherStrings) {
    EXPECT_EQ(rawValue(Kind::presentation), "presentation");
    EXPECT_EQ(rawValue(Kind::other), "other");
    for (int i = 0; i <= static_cast<int>(Kind::other); ++i) {
        const auto kind = static_cast<Kind>(i);
        EXPECT_EQ(kindFromRawValue(rawValue(kind)), kind) << rawValue(kind);
    }
    for (const char* raw : {"", "Image", "folders", " pdf", "unknown"}) {
        EXPECT_EQ(kindFromRawValue(raw), std::nullopt) << raw;
    }
}

TEST(KindTest, TableDecidesBeforeTheTypeDatabase) {
    const std::vector<std::pair<std::string, Kind>> cases = {
        {"dmg", Kind::installer},
        {"iso", Kind::installer},
        {"zip", Kind::archive},
        {"gz", Kind::archive},
        {"7z", Kind::archive},
        {"app", Kind::app},
        {"pdf", Kind::pdf},
        {"pages", Kind::document},
        {"docx", Kind::document},
        {"numbers", Kind::spreadsheet},
        {"csv", Kind::spreadsheet},
        // The database calls these a PGP key and an MPEG transport stream.
        {"key", Kind::presentation},
        {"ts", Kind::code},
        {"odp", Kind::presentation},
        {"txt", Kind::text},
        {"md", Kind::text},
        {"woff2", Kind::font},
        {"otf", Kind::font},
        {"json", Kind::code},
        {"xml", Kind::code},
        {"ipynb", Kind::code},
        {"swift", Kind::code},
    };
    for (const auto& [ext, kind] : cases) {
        EXPECT_EQ(kindForExtension(ext), kind) << ext;
    }
}

TEST(KindTest, TypeDatabaseFallback) {
    const std::vector<std::pair<std::string, Kind>> cases = {
        {"jpg", Kind::image},
        {"heic", Kind::image},
        {"png", Kind::image},
        {"svg", Kind::image},
        {"mp4", Kind::video},
        {"mov", Kind::video},
        {"mkv", Kind::video},
        {"mp3", Kind::audio},
        {"flac", Kind::audio},
        {"c", Kind::code},
        {"rs", Kind::code},
        {"go", Kind::code},
        {"cpp", Kind::code},
        {"h", Kind::code},
        // Known to the database but in none of the families.
        {"odg", Kind::other},
        {"bin", Kind::other},
        // Unknown, empty, and not lower-cased (the table is exact, the database is not a family).
        {"qqxz", Kind::other},
        {"", Kind::other},
        {"PDF", Kind::other},
    };
    for (const auto& [ext, kind] : cases) {
        EXPECT_EQ(kindForExtension(ext), kind) << ext;
    }
}

TEST(KindTest, SameAnswersFromManyThreads) {
    const std::vector<std::string> exts = {"jpg", "mov", "flac", "rs", "odg", "x1", "x2", "x3"};
    std::vector<Kind> expected;
    for (const std::string& ext : exts) {
        expected.push_back(kindForExtension(ext));
    }
    std::vector<std::vector<Kind>> seen(4);
    std::vector<std::thread> threads;
    for (auto& results : seen) {
        threads.emplace_back([&exts, &results] {
            for (int round = 0; round < 50; ++round) {
                for (const std::string& ext : exts) {
                    // Fresh extensions each round exercise the uncached path concurrently too.
                    (void)kindForExtension(ext + std::to_string(round));
                }
            }
            for (const std::string& ext : exts) {
                results.push_back(kindForExtension(ext));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (const auto& results : seen) {
        EXPECT_EQ(results, expected);
    }
}

} // namespace
} // namespace vesk
