#include "core/text/NameOrder.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <string>
#include <thread>
#include <vector>

namespace vesk {
namespace {

TEST(NameOrder, ComparesDigitRunsAsNumbersAndAccentsButNotCase) {
    for (const auto& [less, more] : {std::pair{"file2", "file10"},
                                     {"IMG_9.jpg", "IMG_10.jpg"},
                                     {"v1.9.zip", "v1.10.zip"},
                                     {"Apple", "banana"},
                                     {"resume.pdf", "résumé.pdf"}}) {
        EXPECT_TRUE(nameLess(less, more)) << less;
        EXPECT_FALSE(nameLess(more, less)) << less;
    }
    EXPECT_FALSE(nameLess("apple", "Apple"));
    EXPECT_FALSE(nameLess("Apple", "apple"));
}

TEST(NameOrder, SortIsStableForNamesThatCompareEqual) {
    struct Item {
        std::string name;
        int id;
    };
    std::vector<Item> items{{"file10", 0}, {"apple", 1}, {"File2", 2},
                            {"Apple", 3},  {"file2", 4}, {"APPLE", 5}};
    sortByName(items, &Item::name);
    std::vector<int> ids;
    for (const Item& item : items) {
        ids.push_back(item.id);
    }
    EXPECT_EQ(ids, (std::vector<int>{1, 3, 5, 2, 4, 0}));
}

TEST(NameOrder, FollowsTheUserLocale) {
    // The tests run in the C locale, which orders like the root collation: å with the a's.
    EXPECT_TRUE(nameLess("ålesund", "zebra"));
    // A new thread builds its collator from the default locale of that moment.
    const icu::Locale previous = icu::Locale::getDefault();
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale("nb", "NO"), status);
    ASSERT_TRUE(U_SUCCESS(status));
    bool norwegianOrder = false;
    std::thread([&] { norwegianOrder = nameLess("zebra", "ålesund"); }).join();
    icu::Locale::setDefault(previous, status);
    EXPECT_TRUE(norwegianOrder);
}

} // namespace
} // namespace vesk
