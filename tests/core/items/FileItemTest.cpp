#include "core/items/FileItem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/xattr.h>
#include <utility>
#include <vector>

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

TEST(FileItemTest, EntriesOfEachShape) {
    TempDir dir;
    const Date before = Clock::now() - 2s;
    EXPECT_FALSE(FileItem::load(writeFile(dir / ".DS_Store")));
    EXPECT_FALSE(FileItem::load(makeDir(dir / ".cache.zip")));
    EXPECT_FALSE(FileItem::load(dir / "vanished.pdf"));

    makeDir(dir / "photos.zip");
    makeDir(dir / "Talk.KEY");
    writeFile(dir / "Tool.app/Contents/Info.plist", std::string(5000, 'p'));
    writeFile(dir / "invoice.pdf", std::string(51000, 'x'));
    std::filesystem::create_directory_symlink(dir / "photos.zip", dir / "link.zip");
    for (const char* name :
         {"Scan.PDF", "archive.tar.gz", "IMG_0042.HEIC", "README", "draft.", "Résumé.ÄÖÜ"}) {
        writeFile(dir / name);
    }
    struct Case {
        const char* name;
        const char* ext;
        const char* stem;
        Kind kind;
        bool isDirectory;
        bool isPackage;
    };
    for (const Case& c : {Case{"photos.zip", "zip", "photos", Kind::folder, true, false},
                          Case{"Tool.app", "app", "Tool", Kind::app, false, true},
                          Case{"Talk.KEY", "key", "Talk", Kind::presentation, false, true},
                          Case{"invoice.pdf", "pdf", "invoice", Kind::pdf, false, false},
                          Case{"link.zip", "zip", "link", Kind::archive, false, false},
                          Case{"Scan.PDF", "pdf", "Scan", Kind::pdf, false, false},
                          Case{"archive.tar.gz", "gz", "archive.tar", Kind::archive, false, false},
                          Case{"IMG_0042.HEIC", "heic", "IMG_0042", Kind::image, false, false},
                          Case{"README", "", "README", Kind::other, false, false},
                          Case{"draft.", "", "draft.", Kind::other, false, false},
                          Case{"Résumé.ÄÖÜ", "äöü", "Résumé", Kind::other, false, false}}) {
        const auto item = FileItem::load(dir / c.name);
        ASSERT_TRUE(item) << c.name;
        EXPECT_EQ(item->path, dir / c.name);
        EXPECT_EQ(item->ext, c.ext) << c.name;
        EXPECT_EQ(item->stem(), c.stem) << c.name;
        EXPECT_EQ(item->kind, c.kind) << c.name;
        EXPECT_EQ(item->isDirectory, c.isDirectory) << c.name;
        EXPECT_EQ(item->isPackage, c.isPackage) << c.name;
    }
    EXPECT_EQ(FileItem::load(dir / "Tool.app").value().size, 0);
    const FileItem invoice = FileItem::load(dir / "invoice.pdf").value();
    EXPECT_EQ(invoice.size, 51000); // the length, not the blocks allocated for it
    EXPECT_GE(invoice.added.value(), before);
    const FileItem again = FileItem::load(dir / "invoice.pdf").value();
    EXPECT_EQ(again, invoice);
    EXPECT_EQ(std::hash<FileItem>{}(again), std::hash<FileItem>{}(invoice));
}

TEST(FileItemTest, OnlyADirectoryIsAnApplicationBundle) {
    TempDir dir;
    makeDir(dir / "Tool.app");
    for (const char* name :
         {"notes.app", "Obsidian-1.5.3.AppImage", "code_1.85.1_amd64.deb", "photos.tar.zst"}) {
        writeFile(dir / name);
    }
    const std::vector<std::pair<std::string, Kind>> cases = {
        {"Tool.app", Kind::app},
        {"notes.app", Kind::other},
        {"Obsidian-1.5.3.AppImage", Kind::app},
        {"code_1.85.1_amd64.deb", Kind::installer},
        {"photos.tar.zst", Kind::archive}};
    for (const auto& [name, kind] : cases) {
        EXPECT_EQ(FileItem::load(dir / name).value().kind, kind) << name;
    }
}

TEST(FileItemTest, AgeCountsFromAddedElseCreatedElseNow) {
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
    if (!setAttribute(file, "user.xdg.origin.path", "/home/me/Downloads/report.pdf")) {
        GTEST_SKIP() << "no user extended attributes here: " << std::strerror(errno);
    }
    ASSERT_TRUE(setAttribute(file, "user.xdg.referrer.path", "https://WWW.Example.COM/files?id=3"));
    ASSERT_TRUE(
        setAttribute(file, "user.com.apple.quarantine", "0083;65a1b2c3;Google Chrome;9F2E"));
    const auto item = FileItem::load(file);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->sourceDomain, "example.com");
    EXPECT_EQ(item->quarantineAgent, "Google Chrome");
}

TEST(FileItemTest, SourceDomainAndQuarantineAgent) {
    EXPECT_FALSE(sourceDomainOf({"/tmp/x.pdf", "not a url", "file:///tmp/x.pdf", "mailto:a@b.c"}));
    EXPECT_EQ(sourceDomainOf({"example.org/page", "https://Cdn.Example.org/a", "https://b.net/"}),
              "cdn.example.org");
    EXPECT_EQ(sourceDomainOf({"http://www.sub.example.com:8080/x"}), "sub.example.com");
    EXPECT_EQ(sourceDomainOf({"https://www2.example.com/"}), "www2.example.com");

    EXPECT_FALSE(quarantineAgentOf("0083;65a1b2c3"));
    EXPECT_FALSE(quarantineAgentOf("0083;65a1b2c3;;9F2E"));
    EXPECT_FALSE(quarantineAgentOf("0083;65a1b2c3;Safari\xff"));
    EXPECT_EQ(quarantineAgentOf("0083;65a1b2c3;Safari"), "Safari");
    EXPECT_EQ(quarantineAgentOf("0083;65a1b2c3; Firefox ;9F2E"), " Firefox ");
}

} // namespace
} // namespace vesk
