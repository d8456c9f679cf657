#include "pjl/pjl_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "pjl/pjl_encoding.h"
#include "pjl/pjl_filter.h"
#include "pjl/pjl_line_checks.h"
#include "world.h"

namespace xlrender {
namespace {

TEST(PjlLines, QuotedAndPlainLines) {
    PjlLines lines;
    EXPECT_TRUE(lines.AppendLine("@PJL SET MANUALDUPLEX=ON"));
    const OwnedPjlText name = ConvertForPjl(W("Report"), PjlCharset::kUtf8);
    EXPECT_TRUE(lines.AppendQuotedLine("@PJL JOB NAME=", name));
    EXPECT_TRUE(lines.AppendQuotedLine("@PJL SET JOBATTR=",
                                       {QuotedLiteral("JobAcct4="), QuotedWholeValue("2004")}));
    EXPECT_STREQ(lines.text(),
                 "@PJL SET MANUALDUPLEX=ON\n@PJL JOB NAME=\"Report\"\n"
                 "@PJL SET JOBATTR=\"JobAcct4=2004\"\n");
    EXPECT_EQ(lines.length(), std::string(lines.text()).size());

    PjlLines empty;
    const OwnedPjlText nothing = ConvertForPjl(W(""), PjlCharset::kUtf8);
    EXPECT_TRUE(empty.AppendQuotedLine("@PJL JOB NAME=", nothing));
    EXPECT_STREQ(empty.text(), "@PJL JOB NAME=\"\"\n");
}

TEST(PjlLines, FailedConversionOrNullTextAppendsNothing) {
    PjlLines lines;
    EXPECT_FALSE(lines.AppendQuotedLine("@PJL SET USERNAME=", OwnedPjlText{}));
    EXPECT_FALSE(lines.AppendQuotedLine("@PJL SET USERNAME=", {QuotedWholeValue(nullptr)}));
    EXPECT_FALSE(lines.AppendLine(nullptr));
    EXPECT_TRUE(lines.empty());
}

TEST(PjlLines, QuoteAndControlBytesBecomeTildeOrdinaryNamesUnchanged) {
    PjlLines lines;
    const OwnedPjlText hostile = ConvertForPjl(W("a\"b\rc\nd\x7F"
                                                 "e"),
                                               PjlCharset::kUtf8);
    ASSERT_TRUE(lines.AppendQuotedLine("@PJL SET USERNAME=", hostile));
    EXPECT_STREQ(lines.text(), "@PJL SET USERNAME=\"a~b~c~d~e\"\n");

    PjlLines ordinary;
    const OwnedPjlText name =
        ConvertForPjl(W("J\u00FCrgen O'Brien / Stra\u00DFe 5"), PjlCharset::kUtf8);
    ASSERT_TRUE(ordinary.AppendQuotedLine("@PJL SET USERNAME=", name));
    EXPECT_STREQ(ordinary.text(),
                 "@PJL SET USERNAME=\"J\xC3\xBCrgen O'Brien / Stra\xC3\x9F"
                 "e 5\"\n");
}

TEST(PjlLines, AnsiValuesAreCutBetweenDoubleByteCharacters) {
    const struct {
        UINT codePage;
        const char* value;
        std::size_t limit;
        const char* line;
    } cases[] = {
        {932, "\x93\xFA\x96\x7B", 3, "@PJL X=\"\x93\xFA\"\n"},
        {932, "\x81\x81\x81\x81", 3, "@PJL X=\"\x81\x81\"\n"},  // a trail byte in the lead range
        {932, "a\x81@b", 2, "@PJL X=\"a\"\n"},
        {936, "\xC4\xE3\xBA\xC3", 3, "@PJL X=\"\xC4\xE3\"\n"},
        {949, "x\xB0\xA1", 2, "@PJL X=\"x\"\n"},
        {950, "\xA4\xA4\xA4\xE5", 1, "@PJL X=\"\"\n"},
        {1252, "\x93\xFA\x96", 1, "@PJL X=\"\x93\"\n"},  // single-byte: any cut is whole
    };
    for (const auto& test : cases) {
        sim::TheWorld().locale.ansiCodePage = test.codePage;
        PjlLines lines;
        ASSERT_TRUE(lines.AppendQuotedLine(
            "@PJL X=", {QuotedValue(test.value, PjlCharset::kAnsi, test.limit)}));
        EXPECT_STREQ(lines.text(), test.line) << test.codePage << " " << test.value;
    }
}

TEST(PjlLines, OverlongValueIsCutSoTheLineStillEnds) {
    PjlLines lines;
    ASSERT_TRUE(lines.AppendLine("@PJL SET MANUALDUPLEX=ON"));
    const std::u16string longName(2000, u'n');
    const OwnedPjlText name = ConvertForPjl(longName.c_str(), PjlCharset::kUtf8);
    ASSERT_TRUE(lines.AppendQuotedLine("@PJL JOB NAME=", name));
    EXPECT_EQ(lines.length(), kPjlLineBufferBytes - 1);
    const std::string text = lines.text();
    EXPECT_EQ(text.substr(text.size() - 3), "n\"\n");
    ExpectWellFormedQuotedLines(text.substr(text.find("@PJL JOB")), 1);

    // The buffer is full: the next line is refused whole, not begun.
    EXPECT_FALSE(lines.AppendLine("@PJL"));
    EXPECT_FALSE(lines.AppendQuotedLine("@PJL SET USERNAME=", name));
    EXPECT_EQ(lines.length(), kPjlLineBufferBytes - 1);
}

TEST(PjlLines, Utf8ValueIsCutOnACharacterBoundary) {
    // After "@\n", "@PJL JOB NAME=" (14) and the quotes and line end (3), 980 bytes are left:
    // 326 three-byte characters (978 bytes); the 327th would be split and is left out whole.
    const std::u16string euros(400, u'\u20AC');
    const OwnedPjlText utf8 = ConvertForPjl(euros.c_str(), PjlCharset::kUtf8);
    PjlLines lines;
    ASSERT_TRUE(lines.AppendLine("@"));
    ASSERT_TRUE(lines.AppendQuotedLine("@PJL JOB NAME=", utf8));
    const std::string text = lines.text();
    const std::string value = text.substr(2 + 15, text.size() - 2 - 15 - 2);
    EXPECT_EQ(value.size(), 3u * 326);
    EXPECT_EQ(text.substr(text.size() - 5), "\xE2\x82\xAC\"\n");

    // ANSI bytes have no boundaries to respect: the value fills the room exactly.
    const std::u16string accents(2000, u'\u00E9');
    const OwnedPjlText ansi = ConvertForPjl(accents.c_str(), PjlCharset::kAnsi);
    PjlLines ansiLines;
    ASSERT_TRUE(ansiLines.AppendLine("@"));
    ASSERT_TRUE(ansiLines.AppendQuotedLine("@PJL JOB NAME=", ansi));
    EXPECT_EQ(ansiLines.length(), kPjlLineBufferBytes - 1);
}

TEST(PjlLines, PerValueLimitAndSharedRoom) {
    const std::string document(100, 'd');
    PjlLines lines;
    ASSERT_TRUE(lines.AppendQuotedLine(
        "@PJL COMMENT ",
        {QuotedLiteral("App Filename: "), QuotedValue(document.c_str(), PjlCharset::kUtf8, 75),
         QuotedLiteral("; 12-7-2026")}));
    EXPECT_EQ(std::string(lines.text()),
              "@PJL COMMENT \"App Filename: " + std::string(75, 'd') + "; 12-7-2026\"\n");

    // Two long values on one line: the first takes what it needs, the second the rest, and the
    // fixed text after them survives.
    const std::string big(600, 'a');
    PjlLines shared;
    ASSERT_TRUE(shared.AppendQuotedLine(
        "@PJL COMMENT ", {QuotedValue(big.c_str(), PjlCharset::kAnsi), QuotedLiteral(" / "),
                          QuotedValue(big.c_str(), PjlCharset::kAnsi), QuotedLiteral(" end")}));
    const std::string text = shared.text();
    EXPECT_EQ(text.size(), kPjlLineBufferBytes - 1);
    EXPECT_EQ(text.substr(text.size() - 6), " end\"\n");
    EXPECT_EQ(text.find(" / "), 14 + 600u);
}

TEST(PjlLines, WholeValueThatDoesNotFitFailsTheLine) {
    const std::string filler(950, 'f');
    PjlLines lines;
    ASSERT_TRUE(lines.AppendLine(filler.c_str()));
    const std::size_t before = lines.length();
    const std::string identifier(40, '1');
    EXPECT_FALSE(lines.AppendQuotedLine(
        "@PJL SET JOBATTR=", {QuotedLiteral("JobAcct5="), QuotedWholeValue(identifier.c_str())}));
    EXPECT_EQ(lines.length(), before);
    EXPECT_EQ(lines.text()[before], 0);
}

}  // namespace
}  // namespace xlrender
