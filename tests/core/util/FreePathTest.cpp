#include "core/util/FreePath.h"

#include "support/ChildProcess.h"
#include "support/Strings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::times;
using test::writeFile;

TEST(FreePath, CountsUpBeforeTheLastExtension) {
    TempDir dir;
    for (const char* name : {"report.pdf", "report 2.pdf", "a.tar.gz", "notes"}) {
        writeFile(dir / name);
    }
    test::makeDir(dir / "Tool.app");
    test::makeDir(dir / "Photos");
    const std::pair<const char*, const char*> rows[] = {
        {"free.pdf", "free.pdf"}, {"report.pdf", "report 3.pdf"}, {"a.tar.gz", "a.tar 2.gz"},
        {"notes", "notes 2"},     {"Tool.app", "Tool 2.app"},     {"Photos", "Photos 2"}};
    for (const auto& [wanted, free] : rows) {
        std::error_code ec;
        EXPECT_EQ(freePath(dir / wanted, ec), dir / free) << wanted;
        EXPECT_FALSE(ec) << wanted;
    }
}

TEST(FreePath, ShortensTheStemWhereTheNumberWouldNotFit) {
    TempDir dir;
    // Both names take 254 or 255 bytes, so " 2" makes them too long for the file system.
    const std::pair<std::string, std::string> rows[] = {
        {std::string(251, 'a'), std::string(249, 'a')},
        {times(125, "\u00e9"), times(124, "\u00e9")}, // never half a character
    };
    for (const auto& [stem, shortened] : rows) {
        writeFile(dir / (stem + ".jpg"));
        std::error_code ec;
        EXPECT_EQ(freePath(dir / (stem + ".jpg"), ec), dir / (shortened + " 2.jpg"));
        EXPECT_FALSE(ec) << ec.message();
    }
    // An extension that leaves no room for a stem is an error, not an endless count.
    const fs::path hopeless = writeFile(dir / ("x." + std::string(253, 'e')));
    std::error_code ec;
    EXPECT_EQ(freePath(hopeless, ec), fs::path());
    EXPECT_EQ(ec, std::errc::filename_too_long);
}

TEST(FreePath, AFolderThatCannotBeSearchedIsAnErrorNotAnEndlessCount) {
    TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    writeFile(dir / "blocked/x.jpg");
    fs::permissions(dir / "blocked", fs::perms(0644)); // listed, but no name in it looked up
    // Without root, since root may search any folder; the child is stopped should it count on.
    test::ChildProcess child([&] {
        test::dropRoot();
        std::error_code ec;
        const fs::path free = freePath(dir / "blocked/x.jpg", ec);
        return free.empty() && ec == std::errc::permission_denied ? 0 : 1;
    });
    EXPECT_EQ(child.wait(std::chrono::seconds(10)), 0);
}

} // namespace
} // namespace vesk
