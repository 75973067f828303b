#include "core/text/Tokens.h"

#include <gtest/gtest.h>

#include <string>
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
};

TEST(Tokens, SplitsFiltersAndStemsNames) {
    for (const Case& c : cases) {
        EXPECT_EQ(Tokens::of(c.name), c.tokens) << "name: " << c.name;
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
