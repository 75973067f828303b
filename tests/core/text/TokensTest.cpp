#include "core/text/Tokens.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vesk {
namespace {

struct Case {
    std::string name;
    std::vector<std::string> tokens;
};

const std::vector<Case> cases{
    // Separators and camel case split words; a run of capitals stays one word.
    {"", {}},
    {"_-.+()[]{}@#,;   ", {}},
    {"IMG_2041.JPG", {}},
    {"Kitchen-renovation_quotes (2).pdf", {"kitchen", "renovation", "quote"}},
    {"budget[final]{v2}@home#tag,list;x+y", {"budget", "home", "tag", "list"}},
    {"myTaxReturn", {"tax", "return"}},
    {"invoiceMarchPDF", {"invoice", "march"}},
    {"scanHTMLExport", {"htmlexport"}},
    {"budget budget_Budget", {"budget", "budget", "budget"}},
    // Two capitals pass the length test, but stopwords still apply.
    {"AI TV", {"ai", "tv"}},
    {"ai tv Ai aI", {}},
    {"AM PM ON", {}},
    {"ÆØ Æø", {"æø"}},
    // Stemming drops only a plural s.
    {"invoices photos", {"invoice", "photo"}},
    {"class glass bus boss", {"class", "glass", "bus", "boss"}},
    {"analysis", {"analysi"}},
    {"notes images Documents", {}},
    // Numbers of any script drop the whole word.
    {"v2 2024 draft3 1st 3D", {}},
    {"ⅯⅯⅩⅩⅣ", {}},
    {"第三季度 五月", {"季度"}},
    {"٢٠٢٤ ۲۰۲۴", {}},
    // Chinese and Japanese are segmented by dictionary; one character alone is dropped.
    {"项目计划书.docx", {"项目", "计划", "docx"}},
    {"合同扫描件.pdf", {"合同", "扫描"}},
    {"发票2024年3月.pdf", {"发票"}},
    {"截图 文件 图片", {}},
    {"メモ.txt", {"メモ", "txt"}},
    // Norwegian names keep their letters, and non-ASCII words keep a final s.
    {"Skjermbilde 2024-03-01 kl. 10.00.00.png", {}},
    {"Kvittering_for_husleie.pdf", {"kvittering", "husleie"}},
    {"Fjellås ålesunds Bilders", {"fjellås", "ålesunds", "bilder"}},
    {"Bilder fra turen til Tromsø", {"bilder", "fra", "turen", "tromsø"}},
    {"Kopi av dokument på norsk", {"norsk"}},
    // Combining rings as names copied from a Mac arrive; Latin-1 bytes end a word.
    {"Fjella\u030As pa\u030A", {"fjellås"}},
    {"caf\xE9 menu\xFF", {"caf", "menu"}},
    // An apostrophe stays inside a word only between two letters or two digits.
    {"Don't stop: rock 'n' roll", {"don't", "stop", "rock", "roll"}},
};

TEST(Tokens, SplitsFiltersAndStemsNames) {
    for (const Case& c : cases) {
        EXPECT_EQ(Tokens::of(c.name), c.tokens) << "name: " << c.name;
    }
}

// Plain ASCII names are split without the word segmenter. A short non-ASCII word after a space
// sends the same name through the segmenter and adds no token, so both ways must agree.
TEST(Tokens, PlainAsciiNamesSplitAsTheSegmenterSplitsThem) {
    std::mt19937 random(15);
    const std::string_view likely = "aZq0 9''  sS\t!\"$%&*/:<=>?\\^`|~_-.+()[]{}@#,;";
    const auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int n = 0; n < 20000; ++n) {
        std::string name;
        for (std::size_t length = below(13); length > 0; --length) {
            const std::size_t roll = below(10);
            if (roll < 6) {
                name += likely[below(likely.size())];
            } else if (roll < 8) {
                name += static_cast<char>('a' + below(26));
            } else {
                name += static_cast<char>(1 + below(127));
            }
        }
        ASSERT_EQ(Tokens::of(name), Tokens::of(name + " \u00E9")) << "name: " << name;
    }
}

TEST(Tokens, ThreadsGetTheSameResultsAsOneThread) {
    constexpr int threadCount = 4;
    std::vector<int> mismatches(threadCount, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 50; ++round) {
                for (const Case& c : cases) {
                    mismatches[t] += Tokens::of(c.name) != c.tokens;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(threadCount, 0));
}

} // namespace
} // namespace vesk
