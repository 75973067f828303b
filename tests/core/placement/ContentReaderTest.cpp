#include "core/placement/ContentReader.h"
#include "support/Strings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unicode/unistr.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <future>
#include <vector>

namespace vesk {
namespace {

using test::TempDir;
using test::times;
using test::writeFile;

// A minimal PDF: one page per entry, each line of an entry drawn in Helvetica; a page with no
// lines has only a drawn rectangle, like a scan without a text layer. `gap` zero bytes follow
// the header, in a comment.
std::string makePdf(const std::vector<std::vector<std::string>>& pages, std::size_t gap = 0) {
    const auto count = std::to_string(pages.size());
    std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>", "",
                                     "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
                                     "/Encoding /WinAnsiEncoding >>"};
    std::string kids;
    for (const auto& lines : pages) {
        std::string content = "0 0 m 100 100 l S\n";
        if (!lines.empty()) {
            content += "BT /F1 10 Tf 12 TL 20 780 Td\n";
            for (const std::string& line : lines) {
                content += "(" + line + ") Tj T*\n";
            }
            content += "ET\n";
        }
        kids += std::to_string(objects.size() + 1) + " 0 R ";
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << "
                          "/Font << /F1 3 0 R >> >> /Contents " +
                          std::to_string(objects.size() + 2) + " 0 R >>");
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                          content + "endstream");
    }
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + count + " >>";
    std::string pdf = "%PDF-1.4\n%" + std::string(gap, '\0') + "\n";
    std::string xref = "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t i = 0; i < objects.size(); ++i) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        xref += entry;
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    return pdf + xref + "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(pdf.size()) + "\n%%EOF\n";
}

FileItem itemAt(const std::filesystem::path& file, Kind kind) {
    FileItem item;
    item.path = file;
    item.name = file.filename().string();
    item.ext = file.extension().string().substr(1);
    item.kind = kind;
    return item;
}

using Words = std::optional<std::vector<std::string>>;

TEST(ContentReaderPdf, ReadsTheFirstTwoPagesAndTellsTextlessFromBroken) {
    TempDir dir;
    const auto file = writeFile(
        dir / "a.pdf",
        makePdf({{"harbour harbour crane"}, {"harbour ledger"}, {"forbidden third page"}}));
    EXPECT_EQ(ContentReader::keywords(itemAt(file, Kind::pdf)),
              (Words{{"harbour", "crane", "ledger"}}));

    const auto scan = writeFile(dir / "scan.pdf", makePdf({{}, {}}));
    EXPECT_EQ(ContentReader::keywords(itemAt(scan, Kind::pdf)), Words{std::vector<std::string>{}});
    const auto broken = writeFile(dir / "broken.pdf", "%PDF-1.4 this is not really a pdf");
    EXPECT_EQ(ContentReader::keywords(itemAt(broken, Kind::pdf)), std::nullopt);
    EXPECT_EQ(ContentReader::keywords(itemAt(dir / "missing.pdf", Kind::pdf)), std::nullopt);
}

TEST(ContentReaderPdf, CapsTheExcerptAtWholeCharacters) {
    // 40 lines of 80 "é" (two UTF-8 bytes each, octal 351 in WinAnsi): well over 3000.
    TempDir dir;
    const auto file =
        writeFile(dir / "long.pdf", makePdf({std::vector<std::string>(40, times(80, "\\351"))}));
    const auto text = ContentReader::excerpt(itemAt(file, Kind::pdf));
    ASSERT_TRUE(text);
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(*text);
    EXPECT_EQ(unicode.countChar32(), 3000);
    std::string roundTrip;
    EXPECT_EQ(unicode.toUTF8String(roundTrip), *text); // no sequence was cut
}

TEST(ContentReaderText, UsesOnlyTheFirst4096ValidBytes) {
    TempDir dir;
    const std::string text = times(512, "earlier ") + times(1200, "late ");
    const auto big = itemAt(writeFile(dir / "big.txt", text), Kind::text);
    EXPECT_EQ(ContentReader::excerpt(big), text.substr(0, 4096));
    EXPECT_EQ(ContentReader::keywords(big), (Words{{"earlier"}}));

    // "é" is two bytes: starting at byte 4095 it is cut, at byte 4094 it fits.
    const auto cut = writeFile(dir / "cut.txt", std::string(4095, 'a') + "é tail");
    EXPECT_EQ(ContentReader::keywords(itemAt(cut, Kind::text)), std::nullopt);
    const auto whole = writeFile(dir / "whole.txt", std::string(4094, 'a') + "é tail");
    EXPECT_NE(ContentReader::keywords(itemAt(whole, Kind::text)), std::nullopt);
    const auto latin1 = writeFile(dir / "latin1.txt", "caf\xE9 menu");
    EXPECT_EQ(ContentReader::keywords(itemAt(latin1, Kind::text)), std::nullopt);
}

TEST(ContentReaderText, ReadsCsvButNeverOpensOtherKinds) {
    TempDir dir;
    const auto csv = writeFile(dir / "sales.csv", "region,revenue\nnorth,100\n");
    EXPECT_EQ(ContentReader::keywords(itemAt(csv, Kind::spreadsheet)),
              (Words{{"region", "revenue", "north"}}));
    // Same readable text under other kinds: not read.
    for (const auto& [name, kind] : {std::pair{"sales.xlsx", Kind::spreadsheet},
                                     {"letter.docx", Kind::document},
                                     {"photo.png", Kind::image}}) {
        const auto file = writeFile(dir / name, "region,revenue\n");
        EXPECT_EQ(ContentReader::keywords(itemAt(file, kind)), std::nullopt) << name;
    }
}

TEST(ContentReaderKeywords, MostFrequentFirstTiesInTextOrderAtMostThirty) {
    // 40 distinct words; the last appears three times, the one before it twice.
    std::vector<std::string> distinct;
    std::string text;
    for (const char a : std::string("bcdefghijk")) {
        for (const char b : std::string("lmnp")) {
            distinct.push_back(std::string("wor") + a + b);
            text += distinct.back() + " ";
        }
    }
    text += distinct[39] + " " + distinct[39] + " " + distinct[38];
    TempDir dir;
    std::vector<std::string> expected{distinct[39], distinct[38]};
    expected.insert(expected.end(), distinct.begin(), distinct.begin() + 28);
    EXPECT_EQ(ContentReader::keywords(itemAt(writeFile(dir / "words.txt", text), Kind::text)),
              Words{expected});
}

TEST(ContentReaderLimits, NeverWaitsOnASpecialFileNorReadsThroughALink) {
    TempDir dir;
    for (const auto& [name, kind] : {std::pair{"pipe.txt", Kind::text}, {"pipe.pdf", Kind::pdf}}) {
        const auto fifo = dir / name;
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        auto reading = std::async(std::launch::async,
                                  [&] { return ContentReader::keywords(itemAt(fifo, kind)); });
        if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            ADD_FAILURE() << name << " blocked the reader";
            ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK)); // lets it go on
        }
        EXPECT_EQ(reading.get(), std::nullopt) << name;
    }
    const auto text = writeFile(dir / "elsewhere.txt", "harbour crane");
    std::filesystem::create_symlink(text, dir / "link.txt");
    EXPECT_EQ(ContentReader::keywords(itemAt(dir / "link.txt", Kind::text)), std::nullopt);
}

TEST(ContentReaderLimits, LeavesAPdfTooLargeToReadQuicklyUnread) {
    TempDir dir;
    const std::string header = "%PDF-1.4\n%";
    const std::size_t gap = 70U << 20U;
    const std::string pdf = makePdf({{"harbour crane"}}, gap);
    // The gap is left as a hole, so the file takes no room on disk.
    const auto file = writeFile(dir / "big.pdf", header);
    std::filesystem::resize_file(file, header.size() + gap);
    std::ofstream(file, std::ios::binary | std::ios::app) << pdf.substr(header.size() + gap);
    ASSERT_EQ(std::filesystem::file_size(file), pdf.size());

    EXPECT_EQ(ContentReader::keywords(itemAt(file, Kind::pdf)), std::nullopt);
    const auto small = writeFile(dir / "small.pdf", makePdf({{"harbour crane"}}, 1U << 20U));
    EXPECT_EQ(ContentReader::keywords(itemAt(small, Kind::pdf)), (Words{{"harbour", "crane"}}));
}

} // namespace
} // namespace vesk
