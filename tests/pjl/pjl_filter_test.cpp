#include "pjl/pjl_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "pjl/pjl_encoding.h"

namespace xlrender {
namespace {

constexpr DWORD kAllEncodings[] = {kPjlEncodingInvalid, kPjlEncodingUtf8,       kPjlEncoding7Bit,
                                   kPjlEncoding8Bit,    kPjlEncodingUtf8Subset, 99};

struct Filtered {
    std::u16string text;
    BOOL replaced;
};

Filtered Filter(std::u16string text, DWORD encoding) {
    text.push_back(0);
    const BOOL replaced = FilterPjlString(text.data(), encoding);
    return {std::u16string(text.c_str()), replaced};
}

TEST(FilterPjlString, DoubleQuoteBecomesTildeUnderEveryEncoding) {
    for (DWORD encoding : kAllEncodings) {
        const Filtered result = Filter(u"say \"hi\"", encoding);
        EXPECT_EQ(result.text, u"say ~hi~") << encoding;
        EXPECT_EQ(result.replaced, TRUE) << encoding;
    }
}

TEST(FilterPjlString, ControlOnlyValueBecomesEmpty) {
    for (DWORD encoding : kAllEncodings) {
        const Filtered result = Filter(u"\r\n\t\x01", encoding);
        EXPECT_EQ(result.text, u"") << encoding;
        EXPECT_EQ(result.replaced, TRUE) << encoding;
    }
    // A value that was only tildes to begin with is left alone: nothing was replaced.
    EXPECT_EQ(Filter(u"~~", kPjlEncodingUtf8).text, u"~~");
    EXPECT_EQ(Filter(u"~~", kPjlEncodingUtf8).replaced, FALSE);
    // Mixed with a real character, the replacements stay.
    EXPECT_EQ(Filter(u"\na", kPjlEncoding7Bit).text, u"~a");
}

TEST(FilterPjlString, SlashAndAccentDependOnEncoding) {
    EXPECT_EQ(Filter(u"a/\u00E9", kPjlEncodingUtf8).text, u"a~\u00E9");
    EXPECT_EQ(Filter(u"a/\u00E9", kPjlEncoding7Bit).text, u"a/~");
    EXPECT_EQ(Filter(u"a/\u00E9", kPjlEncodingUtf8Subset).text, u"a/~");
    EXPECT_EQ(Filter(u"a/\u00E9", kPjlEncoding8Bit).text, u"a/\u00E9");
    EXPECT_EQ(Filter(u"a/\u00E9", kPjlEncoding8Bit).replaced, FALSE);
}

TEST(FilterPjlString, Utf8RangesAndExclusionListBoundaries) {
    // Range edges: 0x217 kept, 0x218 rejected, 0x2FF rejected, 0x300 kept.
    EXPECT_EQ(Filter(u"\u0217\u0218\u02FF\u0300", kPjlEncodingUtf8).text, u"\u0217~~\u0300");
    // First and last members of the exclusion list and their neighbours.
    EXPECT_EQ(Filter(u"\u01F5\u01F6\uFFE6\uFFE7\uFFE8", kPjlEncodingUtf8).text,
              u"\u01F5~\uFFE6~\uFFE8");
    // Common text in covered scripts stays: Cyrillic, Hangul, kana, CJK.
    const std::u16string kept = u"\u0416\uAC00\u3042\u4E2D";
    EXPECT_EQ(Filter(kept, kPjlEncodingUtf8).text, kept);
    // Bidirectional overrides and zero-width characters are rejected.
    EXPECT_EQ(Filter(u"a\u202Eb\u200Bc", kPjlEncodingUtf8).text, u"a~b~c");
}

TEST(FilterPjlString, EightAndSevenBitBounds) {
    EXPECT_EQ(Filter(u"\u007E\u007F\u00FF\u0100", kPjlEncoding8Bit).text, u"\u007E\u007F\u00FF~");
    EXPECT_EQ(Filter(u"A\u007E\u007F", kPjlEncoding7Bit).text, u"A\u007E~");
    // The original tildes count as replacements when deciding whether to empty the value.
    EXPECT_EQ(Filter(u"\u007E\u007F", kPjlEncoding7Bit).text, u"");
}

TEST(FilterPjlString, StopsAtLimitOfUnterminatedBuffer) {
    char16_t name[3] = {u'"', u'"', u'"'};
    char16_t after = u'"';
    EXPECT_EQ(FilterPjlString(name, kPjlEncodingUtf8, 2), TRUE);
    // Two tildes only: emptied, the third unit and the neighbour untouched.
    EXPECT_EQ(name[0], 0);
    EXPECT_EQ(name[2], u'"');
    EXPECT_EQ(after, u'"');
    EXPECT_EQ(FilterPjlString(nullptr, kPjlEncodingUtf8), FALSE);
}

TEST(PjlEncoding, StringCodeSetOnlyForUtf8Encodings) {
    EXPECT_TRUE(UsesUtf8StringCodeSet(kPjlEncodingUtf8));
    EXPECT_TRUE(UsesUtf8StringCodeSet(kPjlEncodingUtf8Subset));
    EXPECT_FALSE(UsesUtf8StringCodeSet(kPjlEncoding8Bit));
    EXPECT_FALSE(UsesUtf8StringCodeSet(kPjlEncoding7Bit));
    EXPECT_FALSE(UsesUtf8StringCodeSet(kPjlEncodingInvalid));
}

}  // namespace
}  // namespace xlrender
