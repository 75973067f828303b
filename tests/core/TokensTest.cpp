#include "core/Tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace vesk {
namespace {

using List = std::vector<std::string>;

struct Case {
    std::string name;
    List tokens;
};

void expectTokens(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(Tokens::of(c.name), c.tokens) << "name: " << c.name;
    }
}

TEST(Tokens, SeparatorsAndCamelCaseSplitWords) {
    expectTokens({
        {"", {}},
        {"   ", {}},
        {"_-.+()[]{}@#,;", {}},
        {"IMG_2041.JPG", {}},
        {"Kitchen-renovation_quotes (2).pdf", {"kitchen", "renovation", "quote"}},
        {"budget[final]{v2}@home#tag,list;x+y", {"budget", "home", "tag", "list"}},
        {"myTaxReturn", {"tax", "return"}},
        {"invoiceMarchPDF", {"invoice", "march"}},
        // A run of capitals stays one word.
        {"scanHTMLExport", {"htmlexport"}},
        {"budget budget_Budget", {"budget", "budget", "budget"}},
    });
}

TEST(Tokens, TwoCapitalsPassTheLengthTestButStopwordsStillApply) {
    expectTokens({
        {"AI TV", {"ai", "tv"}},
        {"ai tv Ai aI", {}},
        {"AM PM ON", {}},
        {"ÆØ Æø", {"æø"}},
        {"ABC", {"abc"}},
    });
}

TEST(Tokens, StemmingDropsOnlyAPluralS) {
    expectTokens({
        {"invoices photos", {"invoice", "photo"}},
        {"class glass bus boss", {"class", "glass", "bus", "boss"}},
        {"analysis", {"analysi"}},
        {"notes images Documents", {}},
        {"INVOICES", {"invoice"}},
    });
}

TEST(Tokens, NumbersOfAnyScriptDropTheWholeWord) {
    expectTokens({
        {"v2 2024 draft3 1st 3D", {}},
        {"Budget v2 2024", {"budget"}},
        {"ⅯⅯⅩⅩⅣ", {}},               // Roman numerals
        {"第三季度 五月", {"季度"}}, // CJK numerals
        {"٢٠٢٤ ۲۰۲۴", {}},           // Arabic-Indic digits
    });
}

TEST(Tokens, ChineseAndJapaneseAreSegmentedByDictionary) {
    expectTokens({
        {"项目计划书.docx", {"项目", "计划", "docx"}},
        {"会议记录.docx", {"会议", "记录", "docx"}},
        {"合同扫描件.pdf", {"合同", "扫描"}},
        {"发票2024年3月.pdf", {"发票"}},
        {"重要文件", {"重要"}},
        {"截图 文件 图片", {}},
        {"微信图片_20240301.jpg", {}},
        // Kana are in the same ranges, so two of them make a word too.
        {"メモ.txt", {"メモ", "txt"}},
    });
}

TEST(Tokens, NorwegianNamesKeepTheirLetters) {
    expectTokens({
        {"Skjermbilde 2024-03-01 kl. 10.00.00.png", {}},
        {"Kvittering_for_husleie.pdf", {"kvittering", "husleie"}},
        // Non-ASCII words keep a final s.
        {"Fjellås ålesunds Bilders", {"fjellås", "ålesunds", "bilder"}},
        {"Bilder fra turen til Tromsø", {"bilder", "fra", "turen", "tromsø"}},
        {"Kopi av dokument på norsk", {"norsk"}},
    });
}

TEST(Tokens, DecomposedAndMalformedNamesGiveValidComposedTokens) {
    // "Fjellås på" with combining rings, as names copied from a Mac arrive.
    EXPECT_EQ(Tokens::of("Fjella\u030As pa\u030A"), (List{"fjellås"}));
    // Latin-1 bytes are not UTF-8: they end a word instead of leaking into a token.
    EXPECT_EQ(Tokens::of("caf\xE9 menu\xFF"), (List{"caf", "menu"}));
}

TEST(Tokens, ThreadsGetTheSameResultsAsOneThread) {
    const std::vector<std::string> names = {
        "Kitchen-renovation_quotes (2).pdf",
        "项目计划书.docx",
        "Kvittering_for_husleie.pdf",
        "myTaxReturn",
        "Fjellås ålesunds",
        "AI TV invoices",
        "发票2024年3月.pdf",
    };
    std::vector<List> expected;
    for (const std::string& name : names) {
        expected.push_back(Tokens::of(name));
    }

    constexpr int threadCount = 4;
    std::vector<int> mismatches(threadCount, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                for (std::size_t i = 0; i < names.size(); ++i) {
                    mismatches[t] += Tokens::of(names[(i + t) % names.size()]) !=
                                     expected[(i + t) % names.size()];
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
