#include "core/items/Kind.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vesk {
namespace {

TEST(KindTest, RawValuesRoundTripAndRejectOtherStrings) {
    for (int i = 0; i <= static_cast<int>(Kind::other); ++i) {
        const auto kind = static_cast<Kind>(i);
        EXPECT_EQ(kindFromRawValue(rawValue(kind)), kind) << rawValue(kind);
    }
    EXPECT_EQ(rawValue(Kind::presentation), "presentation");
    for (const char* raw : {"", "Image", " pdf", "unknown"}) {
        EXPECT_EQ(kindFromRawValue(raw), std::nullopt) << raw;
    }
}

TEST(KindTest, KindForExtension) {
    // The fixed table (one or two per group) first; it must win for "key" and "ts", which the
    // type database calls a PGP key and an MPEG transport stream. Then the database fallback;
    // "odg" is known to it but in no family, and "PDF" shows the table is exact.
    const std::vector<std::pair<std::string, Kind>> cases = {
        {"dmg", Kind::installer},    {"iso", Kind::installer},
        {"zip", Kind::archive},      {"gz", Kind::archive},
        {"app", Kind::app},          {"pdf", Kind::pdf},
        {"docx", Kind::document},    {"numbers", Kind::spreadsheet},
        {"odp", Kind::presentation}, {"md", Kind::text},
        {"woff2", Kind::font},       {"json", Kind::code},
        {"key", Kind::presentation}, {"ts", Kind::code},
        {"jpg", Kind::image},        {"heic", Kind::image},
        {"png", Kind::image},        {"mp4", Kind::video},
        {"mov", Kind::video},        {"mkv", Kind::video},
        {"mp3", Kind::audio},        {"flac", Kind::audio},
        {"c", Kind::code},           {"rs", Kind::code},
        {"go", Kind::code},          {"odg", Kind::other},
        {"qqxz", Kind::other},       {"", Kind::other},
        {"PDF", Kind::other},        {"deb", Kind::installer},
        {"rpm", Kind::installer},    {"flatpakref", Kind::installer},
        {"snap", Kind::installer},   {"zst", Kind::archive},
        {"appimage", Kind::app}};
    for (const auto& [ext, kind] : cases) {
        EXPECT_EQ(kindForExtension(ext), kind) << ext;
    }
}

TEST(KindTest, APlainFileNamedLikeABundleIsNoApplication) {
    const std::vector<std::pair<std::string, Kind>> cases = {{"app", Kind::other},
                                                             {"appimage", Kind::app},
                                                             {"deb", Kind::installer},
                                                             {"jpg", Kind::image},
                                                             {"key", Kind::presentation}};
    for (const auto& [ext, kind] : cases) {
        EXPECT_EQ(kindForPlainFile(ext), kind) << ext;
    }
}

TEST(KindTest, SameAnswersFromManyThreads) {
    const std::vector<std::pair<std::string, Kind>> cases = {
        {"jpg", Kind::image}, {"mov", Kind::video}, {"rs", Kind::code}, {"odg", Kind::other}};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&cases] {
            for (int round = 0; round < 50; ++round) {
                for (const auto& [ext, kind] : cases) {
                    // Fresh extensions each round hit the uncached path concurrently.
                    (void)kindForExtension(ext + std::to_string(round));
                    EXPECT_EQ(kindForExtension(ext), kind) << ext;
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
}

} // namespace
} // namespace vesk
