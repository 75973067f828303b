#include "core/FileItem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/xattr.h>
#include <unordered_set>

namespace vesk {
namespace {

using namespace std::chrono_literals;
using test::makeDir;
using test::TempDir;
using test::writeFile;

// False when the file system refuses user attributes (tmpfs without user_xattr, some overlays).
bool setAttribute(const std::filesystem::path& path, const std::string& name,
                  const std::string& value) {
    return setxattr(path.c_str(), name.c_str(), value.data(), value.size(), 0) == 0;
}

TEST(FileItemTest, HiddenAndUnreadableEntriesGiveNothing) {
    TempDir dir;
    EXPECT_FALSE(FileItem::load(writeFile(dir / ".DS_Store")));
    EXPECT_FALSE(FileItem::load(makeDir(dir / ".cache.zip")));
    EXPECT_FALSE(FileItem::load(dir / "vanished.pdf"));
}

TEST(FileItemTest, FoldersPackagesAndFiles) {
    TempDir dir;
    const auto folder = FileItem::load(makeDir(dir / "photos.zip"));
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->isDirectory);
    EXPECT_FALSE(folder->isPackage);
    EXPECT_EQ(folder->kind, Kind::folder);
    EXPECT_EQ(folder->ext, "zip");
    EXPECT_EQ(folder->size, 0);

    writeFile(dir / "Tool.app/Contents/Info.plist", std::string(5000, 'p'));
    const auto app = FileItem::load(dir / "Tool.app");
    ASSERT_TRUE(app);
    EXPECT_FALSE(app->isDirectory);
    EXPECT_TRUE(app->isPackage);
    EXPECT_EQ(app->kind, Kind::app);
    EXPECT_EQ(app->size, 0);

    // Package extensions are matched after lower-casing.
    const auto deck = FileItem::load(makeDir(dir / "Talk.KEY"));
    ASSERT_TRUE(deck);
    EXPECT_TRUE(deck->isPackage);
    EXPECT_EQ(deck->kind, Kind::presentation);

    const auto invoice =
        FileItem::load(writeFile(dir / "invoice (2).pdf", std::string(51000, 'x')));
    ASSERT_TRUE(invoice);
    EXPECT_EQ(invoice->size, 51000); // the length, not the blocks allocated for it
    EXPECT_EQ(invoice->url, dir / "invoice (2).pdf");
    EXPECT_FALSE(invoice->isDirectory || invoice->isPackage);
}

TEST(FileItemTest, LinksAreNotFollowed) {
    TempDir dir;
    std::filesystem::create_directory_symlink(makeDir(dir / "real"), dir / "link.zip");
    const auto link = FileItem::load(dir / "link.zip");
    ASSERT_TRUE(link);
    EXPECT_FALSE(link->isDirectory);
    EXPECT_EQ(link->kind, Kind::archive);
}

TEST(FileItemTest, NamesExtensionsAndStems) {
    TempDir dir;
    struct Case {
        const char* name;
        const char* ext;
        const char* stem;
        Kind kind;
    };
    for (const Case& c :
         {Case{"Scan.PDF", "pdf", "Scan", Kind::pdf}, Case{"Notes.TXT", "txt", "Notes", Kind::text},
          Case{"archive.tar.gz", "gz", "archive.tar", Kind::archive},
          Case{"IMG_0042.HEIC", "heic", "IMG_0042", Kind::image},
          Case{"README", "", "README", Kind::other}, Case{"draft.", "", "draft.", Kind::other},
          Case{"Résumé.ÄÖÜ", "äöü", "Résumé", Kind::other}}) {
        const auto item = FileItem::load(writeFile(dir / c.name));
        ASSERT_TRUE(item) << c.name;
        EXPECT_EQ(item->name, c.name);
        EXPECT_EQ(item->ext, c.ext) << c.name;
        EXPECT_EQ(item->stem(), c.stem) << c.name;
        EXPECT_EQ(item->kind, c.kind) << c.name;
    }
}

TEST(FileItemTest, DatesAndAge) {
    TempDir dir;
    const Date before = Clock::now() - 2s;
    const auto item = FileItem::load(writeFile(dir / "fresh.txt"));
    ASSERT_TRUE(item);
    ASSERT_TRUE(item->added);
    EXPECT_GE(*item->added, before);
    EXPECT_FALSE(item->lastUsed);
    if (item->created) {
        EXPECT_GE(*item->created, before);
    }
    EXPECT_NEAR(item->ageDays(*item->added + 36h), 1.5, 1e-9);

    FileItem undated;
    EXPECT_EQ(undated.ageDays(), 0.0);
    FileItem created;
    created.created = Clock::now() - 72h;
    EXPECT_NEAR(created.ageDays(*created.created + 72h), 3.0, 1e-9);
    created.added = *created.created + 48h; // added wins over created
    EXPECT_NEAR(created.ageDays(*created.created + 72h), 1.0, 1e-9);
}

TEST(FileItemTest, DownloadAttributes) {
    TempDir dir;
    const auto file = writeFile(dir / "report.pdf");
    if (!setAttribute(file, "user.xdg.origin.url", "/home/me/Downloads/report.pdf")) {
        GTEST_SKIP() << "no user extended attributes here: " << std::strerror(errno);
    }
    ASSERT_TRUE(setAttribute(file, "user.xdg.referrer.url", "https://WWW.Example.COM/files?id=3"));
    ASSERT_TRUE(
        setAttribute(file, "user.com.apple.quarantine", "0083;65a1b2c3;Google Chrome;9F2E"));
    const auto item = FileItem::load(file);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->sourceDomain, "example.com");
    EXPECT_EQ(item->quarantineAgent, "Google Chrome");

    const auto plain = FileItem::load(writeFile(dir / "plain.pdf"));
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->sourceDomain);
    EXPECT_FALSE(plain->quarantineAgent);
}

TEST(FileItemTest, SourceDomainReduction) {
    EXPECT_FALSE(sourceDomainOf({}));
    EXPECT_FALSE(sourceDomainOf({"/tmp/x.pdf", "not a url", "file:///tmp/x.pdf", "mailto:a@b.c"}));
    EXPECT_EQ(sourceDomainOf({"example.org/page", "https://Cdn.Example.org/a", "https://b.net/"}),
              "cdn.example.org");
    EXPECT_EQ(sourceDomainOf({"http://www.sub.example.com:8080/x"}), "sub.example.com");
    EXPECT_EQ(sourceDomainOf({"https://www2.example.com/"}), "www2.example.com");
    EXPECT_EQ(sourceDomainOf({"https://wwwexample.com/"}), "wwwexample.com");
}

TEST(FileItemTest, QuarantineAgent) {
    EXPECT_FALSE(quarantineAgentOf(""));
    EXPECT_FALSE(quarantineAgentOf("0083;65a1b2c3"));
    EXPECT_FALSE(quarantineAgentOf("0083;65a1b2c3;;9F2E"));
    EXPECT_FALSE(quarantineAgentOf("0083;65a1b2c3;Safari\xff"));
    EXPECT_EQ(quarantineAgentOf("0083;65a1b2c3;Safari"), "Safari");
    EXPECT_EQ(quarantineAgentOf("0083;65a1b2c3; Firefox ;9F2E"), " Firefox ");
    EXPECT_EQ(quarantineAgentOf("0083;;微信;"), "微信");
}

TEST(FileItemTest, EqualityAndHashCoverTheFields) {
    TempDir dir;
    const auto file = writeFile(dir / "a.txt");
    const auto first = FileItem::load(file);
    const auto second = FileItem::load(file);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, *second);
    EXPECT_EQ(std::hash<FileItem>{}(*first), std::hash<FileItem>{}(*second));

    FileItem withDomain = *first;
    withDomain.sourceDomain = "example.com";
    FileItem withKind = *first;
    withKind.kind = Kind::code;
    const std::unordered_set<FileItem> items = {*first, withDomain, withKind, *second};
    EXPECT_EQ(items.size(), 3u);
}

} // namespace
} // namespace vesk
