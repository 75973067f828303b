#include "platform/EntryStatus.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/xattr.h>

namespace vesk::platform {
namespace {

using test::TempDir;
using test::writeFile;

TEST(EntryStatusTest, ExtendedAttributesAreExactBytesReadThroughLinks) {
    TempDir dir;
    const auto file = writeFile(dir / "data.bin");
    const std::string binary("a\0b\xff", 4);
    if (setxattr(file.c_str(), "user.test.binary", binary.data(), binary.size(), 0) != 0) {
        GTEST_SKIP() << "no user extended attributes on this file system";
    }
    ASSERT_EQ(setxattr(file.c_str(), "user.test.empty", "", 0, 0), 0);
    std::filesystem::create_symlink(file, dir / "link.bin");

    EXPECT_EQ(extendedAttribute(file, "user.test.binary"), binary);
    EXPECT_EQ(extendedAttribute(dir / "link.bin", "user.test.binary"), binary);
    EXPECT_FALSE(extendedAttribute(file, "user.test.empty"));
    EXPECT_FALSE(extendedAttribute(file, "user.test.missing"));
    EXPECT_FALSE(extendedAttribute(dir / "missing.bin", "user.test.binary"));
}

} // namespace
} // namespace vesk::platform
