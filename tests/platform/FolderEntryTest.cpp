#include "platform/FolderEntry.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;
using test::makeDir;
using test::TempDir;
using test::writeFile;
using Type = FolderEntry::Type;

TEST(FolderEntryTest, ListsEveryEntryItselfWithItsType) {
    TempDir dir;
    writeFile(dir / "notes.txt");
    writeFile(dir / ".hidden");
    makeDir(dir / "Sub");
    makeDir(dir / ".git");
    fs::create_directory_symlink(dir / "Sub", dir / "to-sub");
    fs::create_symlink(dir / "notes.txt", dir / "to-notes");
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);

    auto entries = folderEntries(dir.path());
    ASSERT_TRUE(entries);
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    EXPECT_EQ(*entries, (std::vector<FolderEntry>{{".git", Type::folder},
                                                  {".hidden", Type::other},
                                                  {"Sub", Type::folder},
                                                  {"notes.txt", Type::other},
                                                  {"pipe", Type::other},
                                                  {"to-notes", Type::link},
                                                  {"to-sub", Type::link}}));
}

// Targets keep their files in listing order, as the standard library lists them.
TEST(FolderEntryTest, KeepsTheListingOrder) {
    TempDir dir;
    for (int n = 0; n < 300; ++n) {
        writeFile(dir / ("file " + std::to_string(n)));
    }
    std::vector<std::string> listed;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path())) {
        listed.push_back(entry.path().filename().string());
    }
    const auto entries = folderEntries(dir.path());
    ASSERT_TRUE(entries);
    std::vector<std::string> names;
    for (const FolderEntry& entry : *entries) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, listed);
}

TEST(FolderEntryTest, NothingForWhatCannotBeListed) {
    TempDir dir;
    writeFile(dir / "file");
    EXPECT_FALSE(folderEntries(dir / "file"));
    EXPECT_FALSE(folderEntries(dir / "missing"));
}

} // namespace
} // namespace vesk::platform
