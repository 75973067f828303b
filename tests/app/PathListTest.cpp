#include "app/PathList.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

PathList listOf(const std::vector<std::filesystem::path>& paths) {
    PathList list;
    for (const auto& path : paths) {
        list.push_back(path);
    }
    return list;
}

TEST(PathList, KeepsEveryPathsBytesAndWhereItEnds) {
    const std::vector<std::filesystem::path> paths{"/h/Downloads/a.pdf", "", "/h/Caf\xe9 \xff.txt",
                                                   "/h/Downloads/a.pdf"};
    const PathList list = listOf(paths);
    ASSERT_EQ(list.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(list[i], paths[i].native()) << i;
    }
    EXPECT_EQ(list, listOf(paths));
    // The same bytes cut elsewhere are other paths.
    EXPECT_NE(listOf({"/h/ab", "/c"}), listOf({"/h/a", "b/c"}));
    EXPECT_NE(listOf({"/h/a"}), listOf({"/h/a", ""}));
}

} // namespace
} // namespace vesk
