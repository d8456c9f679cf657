#include "pjl/pjl_text_conversion.h"

#include <gtest/gtest.h>

#include <string>

#include "world.h"

namespace xlrender {
namespace {

TEST(ConvertForPjl, Utf8AndAnsiOfTheSameText) {
    const OwnedPjlText utf8 = ConvertForPjl(W("caf\u00E9 \u20AC"), PjlCharset::kUtf8);
    ASSERT_TRUE(utf8.ok());
    EXPECT_EQ(std::string(utf8.bytes()), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(utf8.length(), 9u);
    EXPECT_EQ(utf8.charset(), PjlCharset::kUtf8);

    const OwnedPjlText ansi = ConvertForPjl(W("caf\u00E9 \u20AC"), PjlCharset::kAnsi);
    ASSERT_TRUE(ansi.ok());
    EXPECT_EQ(std::string(ansi.bytes()), "caf\xE9 \x80");
    EXPECT_EQ(ansi.charset(), PjlCharset::kAnsi);
}

TEST(ConvertForPjl, AnsiNeverTurnsALookAlikeIntoAQuote) {
    // Fullwidth quotation mark (best fit would give '"') and double prime.
    const OwnedPjlText ansi = ConvertForPjl(W("a\uFF02b\u2033c\u0100"), PjlCharset::kAnsi);
    ASSERT_TRUE(ansi.ok());
    EXPECT_EQ(std::string(ansi.bytes()), "a?b?c?");
}

TEST(ConvertForPjl, EmptyBoundedAndFailingInputs) {
    const OwnedPjlText empty = ConvertForPjl(W(""), PjlCharset::kUtf8);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty.length(), 0u);
    EXPECT_STREQ(empty.bytes(), "");

    const WCHAR unterminated[3] = {W('a'), W('b'), W('c')};
    const OwnedPjlText bounded = ConvertForPjl(unterminated, PjlCharset::kUtf8, 2);
    ASSERT_TRUE(bounded.ok());
    EXPECT_STREQ(bounded.bytes(), "ab");

    EXPECT_FALSE(ConvertForPjl(nullptr, PjlCharset::kUtf8).ok());

    const std::size_t liveBefore = sim::LiveHeapBlocks();
    sim::TheWorld().heap.failAfter = 1;
    EXPECT_FALSE(ConvertForPjl(W("abc"), PjlCharset::kAnsi).ok());
    EXPECT_EQ(sim::LiveHeapBlocks(), liveBefore);
}

TEST(ConvertForPjl, BlockIsFreedAndMovesOwnership) {
    {
        OwnedPjlText first = ConvertForPjl(W("x"), PjlCharset::kUtf8);
        OwnedPjlText second = std::move(first);
        EXPECT_FALSE(first.ok());
        ASSERT_TRUE(second.ok());
        second = ConvertForPjl(W("y"), PjlCharset::kUtf8);
        EXPECT_STREQ(second.bytes(), "y");
        EXPECT_EQ(sim::LiveHeapBlocks(), 1u);
    }
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

}  // namespace
}  // namespace xlrender
