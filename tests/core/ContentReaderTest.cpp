#include "core/ContentReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unicode/unistr.h>

#include <algorithm>
#include <vector>

namespace vesk {
namespace {

using test::TempDir;
using test::writeFile;

// A minimal PDF: one page per entry, each line of an entry drawn in Helvetica; a page with no
// lines has only a drawn rectangle, like a scan without a text layer.
std::string makePdf(const std::vector<std::vector<std::string>>& pages) {
    std::vector<std::string> objects;
    std::string kids;
    const std::size_t firstPage = 4;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        kids += std::to_string(firstPage + 2 * p) + " 0 R ";
    }
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " +
                      std::to_string(pages.size()) + " >>");
    objects.push_back(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    for (std::size_t p = 0; p < pages.size(); ++p) {
        std::string content = "0 0 m 100 100 l S\n";
        if (!pages[p].empty()) {
            content += "BT /F1 10 Tf 12 TL 20 780 Td\n";
            for (const std::string& line : pages[p]) {
                content += "(" + line + ") Tj T*\n";
            }
            content += "ET\n";
        }
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << "
                          "/Font << /F1 3 0 R >> >> /Contents " +
                          std::to_string(firstPage + 2 * p + 1) + " 0 R >>");
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                          content + "endstream");
    }
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

FileItem itemAt(const std::filesystem::path& file, const std::string& ext, Kind kind) {
    FileItem item;
    item.url = file;
    item.name = file.filename().string();
    item.ext = ext;
    item.kind = kind;
    return item;
}

bool contains(const std::vector<std::string>& words, const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

TEST(ContentReaderPdf, ReadsOnlyTheFirstTwoPages) {
    TempDir dir;
    const auto file = writeFile(
        dir / "a.pdf",
        makePdf({{"harbour harbour crane"}, {"harbour ledger"}, {"forbidden third page"}}));
    const auto words = ContentReader::keywords(itemAt(file, "pdf", Kind::pdf));
    ASSERT_TRUE(words);
    EXPECT_EQ(*words, (std::vector<std::string>{"harbour", "crane", "ledger"}));
}

TEST(ContentReaderPdf, CapsTheExcerptAtWholeCharacters) {
    // 40 lines of 80 "é" (two UTF-8 bytes each, octal 351 in WinAnsi): well over 3000.
    const std::vector<std::string> lines(40, [] {
        std::string line;
        for (int n = 0; n < 80; ++n) {
            line += "\\351";
        }
        return line;
    }());
    TempDir dir;
    const auto file = writeFile(dir / "long.pdf", makePdf({lines}));
    const auto text = ContentReader::excerpt(itemAt(file, "pdf", Kind::pdf));
    ASSERT_TRUE(text);
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(*text);
    EXPECT_EQ(unicode.countChar32(), 3000);
    std::string roundTrip;
    EXPECT_EQ(unicode.toUTF8String(roundTrip), *text); // no sequence was cut
    EXPECT_EQ(text->substr(0, 4), "éé");
}

TEST(ContentReaderPdf, TextlessPdfGivesEmptyKeywordsButBrokenPdfGivesNone) {
    TempDir dir;
    const auto scan = writeFile(dir / "scan.pdf", makePdf({{}, {}}));
    const auto empty = ContentReader::keywords(itemAt(scan, "pdf", Kind::pdf));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());

    const auto broken = writeFile(dir / "broken.pdf", "%PDF-1.4 this is not really a pdf");
    EXPECT_FALSE(ContentReader::keywords(itemAt(broken, "pdf", Kind::pdf)));
    EXPECT_FALSE(ContentReader::keywords(itemAt(dir / "missing.pdf", "pdf", Kind::pdf)));
}

TEST(ContentReaderText, UsesOnlyTheFirst4096Bytes) {
    std::string text;
    while (text.size() < 4096) {
        text += "early ";
    }
    text.resize(4096);
    while (text.size() < 10000) {
        text += " late";
    }
    TempDir dir;
    const auto file = writeFile(dir / "big.txt", text);
    const auto excerpt = ContentReader::excerpt(itemAt(file, "txt", Kind::text));
    ASSERT_TRUE(excerpt);
    EXPECT_EQ(*excerpt, text.substr(0, 4096));
    const auto words = ContentReader::keywords(itemAt(file, "txt", Kind::text));
    ASSERT_TRUE(words);
    EXPECT_TRUE(contains(*words, "early"));
    EXPECT_FALSE(contains(*words, "late"));
}

TEST(ContentReaderText, RejectsInvalidUtf8IncludingACutCharacter) {
    TempDir dir;
    // "é" is two bytes: starting at byte 4095 it is cut, at byte 4094 it fits.
    const auto cut = writeFile(dir / "cut.txt", std::string(4095, 'a') + "é tail");
    EXPECT_FALSE(ContentReader::keywords(itemAt(cut, "txt", Kind::text)));
    const auto whole = writeFile(dir / "whole.txt", std::string(4094, 'a') + "é tail");
    EXPECT_TRUE(ContentReader::keywords(itemAt(whole, "txt", Kind::text)));

    const auto latin1 = writeFile(dir / "latin1.txt", "caf\xE9 menu");
    EXPECT_FALSE(ContentReader::keywords(itemAt(latin1, "txt", Kind::text)));
    EXPECT_FALSE(ContentReader::keywords(itemAt(dir / "missing.txt", "txt", Kind::text)));
}

TEST(ContentReaderText, ReadsCsvButNeverOpensOtherKinds) {
    TempDir dir;
    const auto csv = writeFile(dir / "sales.csv", "region,revenue\nnorth,100\n");
    EXPECT_EQ(ContentReader::keywords(itemAt(csv, "csv", Kind::spreadsheet)),
              (std::vector<std::string>{"region", "revenue", "north"}));
    // Same readable text under other kinds: not read.
    const auto xlsx = writeFile(dir / "sales.xlsx", "region,revenue\n");
    EXPECT_FALSE(ContentReader::keywords(itemAt(xlsx, "xlsx", Kind::spreadsheet)));
    const auto docx = writeFile(dir / "letter.docx", "region,revenue\n");
    EXPECT_FALSE(ContentReader::keywords(itemAt(docx, "docx", Kind::document)));
    const auto png = writeFile(dir / "photo.png", "region,revenue\n");
    EXPECT_FALSE(ContentReader::keywords(itemAt(png, "png", Kind::image)));
}

TEST(ContentReaderKeywords, MostFrequentFirstTiesInTextOrderAtMostThirty) {
    // 40 distinct words; the last appears three times, the one before it twice.
    std::vector<std::string> distinct;
    for (const char a : std::string("bcdefghijk")) {
        for (const char b : std::string("lmnp")) {
            distinct.push_back(std::string("wor") + a + b);
        }
    }
    std::string text;
    for (const std::string& word : distinct) {
        text += word + " ";
    }
    text += distinct[39] + " " + distinct[39] + " " + distinct[38];
    TempDir dir;
    const auto file = writeFile(dir / "words.txt", text);
    const auto words = ContentReader::keywords(itemAt(file, "txt", Kind::text));
    ASSERT_TRUE(words);
    ASSERT_EQ(words->size(), 30U);
    EXPECT_EQ((*words)[0], distinct[39]);
    EXPECT_EQ((*words)[1], distinct[38]);
    EXPECT_EQ((*words)[2], distinct[0]);
    EXPECT_EQ((*words)[29], distinct[27]);
}

} // namespace
} // namespace vesk
