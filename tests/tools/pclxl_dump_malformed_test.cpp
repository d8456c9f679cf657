// The spool reader on malformed and hostile input: a clear message at the right offset, and
// never a read outside the file, whether the file is read whole or in windows of a few bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pclxl_dump/spool_reader.h"
#include "tools/windowed_reading.h"
#include "xlstream/recording_flush.h"

namespace {

using xlrender::testing::HexBytes;

const std::string kStreamHeader = ") HP-PCL XL;2;1;\n";

pclxl_dump::Listing Read(const std::string& file, bool strict = true) {
    return xlrender::testing::ReadAlsoInWindows(file, strict);
}

struct Malformed {
    const char* what;
    std::string file;
    std::size_t offset;   // where the first problem is reported
    std::string message;  // the start of its text
};

TEST(PclXlDumpStrict, NamesTheFirstProblemAndItsOffset) {
    const std::size_t h = kStreamHeader.size();
    const std::vector<Malformed> cases = {
        {"unknown tag", kStreamHeader + HexBytes("C0 01 F8 03 C6 00"), h + 4,
         "unknown data type tag 0xC6"},
        {"unknown operator", kStreamHeader + HexBytes("61 45"), h + 1, "unknown operator 0x45"},
        {"stray escape", kStreamHeader + HexBytes("1B 25 2D"), h,
         "escape byte that does not start a universal exit"},
        {"value cut short", kStreamHeader + HexBytes("C1 34"), h,
         "uint16 cut short: 1 element needs 2 bytes, 1 left"},
        {"array cut short", kStreamHeader + HexBytes("C8 C1 05 00 41 42"), h,
         "ubyte_array cut short: 5 elements need 5 bytes, 2 left"},
        {"array count untagged", kStreamHeader + HexBytes("C8 C3 05 00"), h,
         "ubyte_array element count must be a uint16 (0xC1) or ubyte (0xC0), found 0xC3"},
        {"attribute id cut short", kStreamHeader + HexBytes("C0 01 F9 03"), h + 2,
         "attribute id cut short"},
        {"data past the end", kStreamHeader + HexBytes("B0 C0 02 F8 65 B1 FA 10 00 00 00 01 02"),
         h + 6, "embedded data of 16 bytes runs past the end of the file (2 bytes left)"},
        {"data length cut short", kStreamHeader + HexBytes("BF FA 10 00"), h + 1,
         "embedded data length cut short"},
        {"data missing", kStreamHeader + HexBytes("B0 C1 00 00 F8 6D B1 B2"), h + 7,
         "ReadImage needs embedded data, but none follows"},
        {"points missing", kStreamHeader + HexBytes("C1 02 00 F8 4D C0 00 F8 50 9B"), h + 10,
         "LinePath needs embedded data, but none follows"},
        {"data without operator", kStreamHeader + HexBytes("FB 01 00"), h,
         "embedded data without an operator before it"},
        {"data after an operator that takes none", kStreamHeader + HexBytes("61 FB 00 60"), h + 1,
         "embedded data after PushGS, which takes none"},
        {"PopGS first", kStreamHeader + HexBytes("60"), h, "PopGS without a matching PushGS"},
        {"PushGS left open", kStreamHeader + HexBytes("61 61 60"), h + 3,
         "1 PushGS without PopGS before the end of the file"},
        {"PushGS open at EndPage", kStreamHeader + HexBytes("43 61 44"), h + 2,
         "1 PushGS without PopGS by EndPage"},
        {"EndImage alone", kStreamHeader + HexBytes("B2"), h,
         "EndImage without a matching BeginImage"},
        {"ReadChar outside", kStreamHeader + HexBytes("53 FB 00"), h,
         "ReadChar outside BeginChar/EndChar"},
        {"BeginChar twice", kStreamHeader + HexBytes("52 52"), h + 1,
         "BeginChar while the BeginChar at " + pclxl_dump::DescribeOffset(h) + " is still open"},
        {"font header left open", kStreamHeader + HexBytes("4F") + "\x1B%-12345X", h + 1,
         "BeginFontHeader at"},
        {"EndPage alone", kStreamHeader + HexBytes("44"), h,
         "EndPage without a matching BeginPage"},
        {"value without id", kStreamHeader + HexBytes("C0 01 C0 02 F8 03 6A"), h,
         "value without an attribute id"},
        {"id without value", kStreamHeader + HexBytes("F8 03 6A"), h,
         "attribute ColorSpace without a value"},
        {"attributes without operator", kStreamHeader + HexBytes("C0 01 F8 28"), h,
         "attributes without an operator before the end of the file"},
        {"big-endian header", "( HP-PCL XL;2;1;\n" + HexBytes("41"), 0,
         "the stream header selects the big-endian binding"},
        {"ASCII header", "' HP-PCL XL;2;1;\n", 0, "the stream header selects the ASCII binding"},
        {"header without line end", ") HP-PCL XL;2;1", 0,
         "the PCL XL stream header has no line end"},
        {"no header after ENTER LANGUAGE", "@PJL ENTER LANGUAGE=PCLXL\n" + HexBytes("41 42"), 26,
         "no PCL XL stream header"},
        {"DataOrg against the header", kStreamHeader + HexBytes("C0 00 F8 82 48"), h,
         "DataOrg eBinaryHighByteFirst disagrees with the little-endian stream header"},
        {"text in the PJL section", "@PJL JOB\nhello\n", 9, "not a PJL command"},
    };
    for (const Malformed& malformed : cases) {
        const pclxl_dump::Listing listing = Read(malformed.file);
        ASSERT_EQ(listing.problemCount, 1u) << malformed.what;
        const pclxl_dump::ListingLine* problem = listing.FirstProblem();
        EXPECT_EQ(problem->offset, malformed.offset) << malformed.what;
        EXPECT_EQ(problem->text.rfind(malformed.message, 0), 0u)
            << malformed.what << ": " << problem->text;
        EXPECT_EQ(&listing.lines.back(), problem) << malformed.what << ": strict stops there";
    }
}

TEST(PclXlDumpRelaxed, ReadsOnPastWhatItCanAndResumesAtTheUniversalExit) {
    const std::string file =
        kStreamHeader + HexBytes("45 61 C6 01 02 03") + "\x1B%-12345X@PJL EOJ\n";
    const pclxl_dump::Listing listing = Read(file, false);
    std::vector<std::string> lines;
    for (const pclxl_dump::ListingLine& line : listing.lines) {
        lines.push_back((line.problem ? "!! " : "") + line.text);
    }
    const std::vector<std::string> expected = {
        "PCL XL stream header: little-endian binding, protocol class 2.1",
        "!! unknown operator 0x45",
        "op 0x45",
        "PushGS",
        "!! unknown data type tag 0xC6",
        "<universal exit>",
        "@PJL EOJ",
    };
    EXPECT_EQ(lines, expected);
}

TEST(PclXlDumpRelaxed, OtherLanguagesAreSkippedToTheUniversalExit) {
    const std::string file =
        "@PJL ENTER LANGUAGE=PCL\n\x1B"
        "E\x1B&l1O text\n\x1B%-12345X";
    const pclxl_dump::Listing listing = Read(file);
    EXPECT_EQ(listing.problemCount, 0u);
    ASSERT_EQ(listing.lines.size(), 3u);
    EXPECT_EQ(listing.lines[1].text, "PCL data: 13 bytes");
    EXPECT_EQ(listing.lines[2].text, "<universal exit>");
}

TEST(PclXlDumpRelaxed, LongAndBinaryTextIsShownEscapedAndCut) {
    std::string line = "@PJL COMMENT \x01\xFF";
    line += std::string(400, 'x');
    const pclxl_dump::Listing listing = Read(line + "\n");
    ASSERT_EQ(listing.lines.size(), 1u);
    EXPECT_EQ(listing.lines[0].text.rfind("@PJL COMMENT \\x01\\xFFxxx", 0), 0u);
    EXPECT_NE(listing.lines[0].text.find("... (415 bytes)"), std::string::npos);
}

TEST(PclXlDumpHostile, GarbageNeverEscapesTheFile) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 2000; ++round) {
        const std::size_t size = random() % 200;
        std::string file = round % 2 == 0 ? kStreamHeader : std::string();
        for (std::size_t i = 0; i < size; ++i) {
            // Mostly tags and operator codes, so that the reader gets past the first byte.
            file += static_cast<char>(round % 3 == 0 ? random() % 256 : 0x41 + random() % 0xBF);
        }
        for (bool strict : {true, false}) {
            const pclxl_dump::Listing listing = Read(file, strict);
            for (const pclxl_dump::ListingLine& line : listing.lines) {
                ASSERT_LE(line.offset, file.size());
            }
        }
    }
}

}  // namespace
