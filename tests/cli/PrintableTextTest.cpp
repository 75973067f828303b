#include "cli/PrintableText.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(PrintableText, EscapesWhatWouldForgeOutputOrHideANameAndKeepsWhatShows) {
    const std::pair<std::string, std::string> rows[] = {
        {"plain name.pdf", "plain name.pdf"},
        {"Résumé 日本.pdf", "Résumé 日本.pdf"},
        {"two\nlines.txt", "two\\nlines.txt"},
        {"tab\there\r", "tab\\there\\r"},
        {"\x1b[31mred\x1b[0m", "\\x1b[31mred\\x1b[0m"},
        {"del\x7f", "del\\x7f"},
        {"next\xc2\x85line", "next\\x85line"},             // a C1 control
        {"invoice\u202egpj.exe", "invoice\\u202egpj.exe"}, // reads as "invoiceexe.jpg"
        {"caf\xe9.txt", "caf\\xe9.txt"},                   // not UTF-8
        {"cut\xe6\x97", "cut\\xe6\\x97"},
        {"zero\u200bwidth.pdf", "zero\\u200bwidth.pdf"},      // invisible
        {"line\u2028break.pdf", "line\\u2028break.pdf"},      // a line separator
        {"join\u200ded.pdf", "join\\u200ded.pdf"},            // a joiner between ASCII letters
        {"\U0001F469\u200D\U0001F4BB.png", "\U0001F469\u200D\U0001F4BB.png"}, // an emoji sequence
        {"\u2764\uFE0F.jpg", "\u2764\uFE0F.jpg"},            // a variation selector
    };
    for (const auto& [name, shown] : rows) {
        EXPECT_EQ(printable(name), shown);
    }
}

} // namespace
} // namespace vesk
