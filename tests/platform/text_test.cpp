#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace xlrender {
namespace {

TEST(BoundedText, CopyThatFitsIsExact) {
    char buffer[6];
    EXPECT_EQ(CopyText(buffer, sizeof buffer, "hello"), S_OK);
    EXPECT_STREQ(buffer, "hello");
}

TEST(BoundedText, OverflowKeepsFirstNMinusOneAndTerminates) {
    char buffer[8];
    std::memset(buffer, 'Z', sizeof buffer);
    char guard = 'G';
    EXPECT_EQ(CopyText(buffer, 5, "abcdefgh"), kInsufficientBuffer);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(buffer[5], 'Z');  // nothing written past the bound
    EXPECT_EQ(guard, 'G');

    WCHAR wide[4];
    EXPECT_EQ(CopyText(wide, 4, W("RAWDATA")), kInsufficientBuffer);
    EXPECT_EQ(std::u16string_view(reinterpret_cast<const char16_t*>(wide)), u"RAW");
}

TEST(BoundedText, ZeroSizeOrNullIsInvalidAndWritesNothing) {
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(CopyText(buffer, 0, "a"), kInvalidArgument);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(CopyText(nullptr, 4, "a"), kInvalidArgument);
    EXPECT_EQ(CopyText(buffer, 4, static_cast<const char*>(nullptr)), kInvalidArgument);
    EXPECT_EQ(AppendText(buffer, 0, "a"), kInvalidArgument);
    EXPECT_EQ(FormatText(buffer, 0, "%d", 1), kInvalidArgument);
    EXPECT_EQ(buffer[0], 'x');
}

TEST(BoundedText, SourceLimitStopsAtUnterminatedInput) {
    const char unterminated[3] = {'a', 'b', 'c'};
    char buffer[8];
    EXPECT_EQ(CopyText(buffer, sizeof buffer, unterminated, sizeof unterminated), S_OK);
    EXPECT_STREQ(buffer, "abc");
}

TEST(BoundedText, AppendAndAppendFormatExtendALineWithinItsBound) {
    char line[24] = "@PJL ";
    EXPECT_EQ(AppendText(line, sizeof line, "JOB"), S_OK);
    EXPECT_EQ(AppendFormat(line, sizeof line, " NAME=\"%s\"\n", "x"), S_OK);
    EXPECT_STREQ(line, "@PJL JOB NAME=\"x\"\n");

    char shortLine[16] = "@PJL JOB";
    EXPECT_EQ(AppendFormat(shortLine, sizeof shortLine, " NAME=\"%s\"\n", "x"),
              kInsufficientBuffer);
    EXPECT_STREQ(shortLine, "@PJL JOB NAME=\"");

    char full[8] = "1234567";
    EXPECT_EQ(AppendText(full, sizeof full, "8"), kInsufficientBuffer);
    EXPECT_STREQ(full, "1234567");
}

TEST(BoundedText, AppendRefusesADestinationWithoutTerminator) {
    char buffer[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(AppendText(buffer, sizeof buffer, "e"), kInvalidArgument);
    EXPECT_EQ(std::memcmp(buffer, "abcd", 4), 0);
}

TEST(BoundedText, FormatReportsTruncation) {
    char buffer[5];
    EXPECT_EQ(FormatText(buffer, sizeof buffer, "%04u", 7u), S_OK);
    EXPECT_STREQ(buffer, "0007");
    EXPECT_EQ(FormatText(buffer, sizeof buffer, "%d", 123456), kInsufficientBuffer);
    EXPECT_STREQ(buffer, "1234");

    WCHAR wide[6];
    EXPECT_EQ(FormatText(wide, 6, "%02d/%02d", 3, 7), S_OK);
    EXPECT_EQ(std::u16string_view(reinterpret_cast<const char16_t*>(wide)), u"03/07");
    EXPECT_EQ(FormatText(wide, 3, "%d", 12345), kInsufficientBuffer);
    EXPECT_EQ(std::u16string_view(reinterpret_cast<const char16_t*>(wide)), u"12");
}

TEST(BoundedText, CompareIgnoringCase) {
    EXPECT_TRUE(EqualNoCase(W("raw"), W("RAW")));
    EXPECT_FALSE(EqualNoCase(W("RAW "), W("RAW")));
    EXPECT_TRUE(EqualNoCase("NotInstalled", "NOTINSTALLED"));
    EXPECT_FALSE(EqualNoCase(static_cast<const char*>(nullptr), "A"));
}

TEST(BoundedText, LengthNeverLooksPastItsLimit) {
    const WCHAR unterminated[2] = {u'a', u'b'};
    EXPECT_EQ(TextLength(unterminated, 2), 2u);
    EXPECT_EQ(TextLength(static_cast<const WCHAR*>(nullptr)), 0u);
}

}  // namespace
}  // namespace xlrender
