// The stand-in's conversions behave as Windows' do where the plug-in depends on it.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32_api.h"

namespace {

std::string ToBytes(UINT codePage, const std::u16string& text, DWORD flags = 0,
                    BOOL* usedDefault = nullptr) {
    const int needed = WideCharToMultiByte(codePage, flags, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0, nullptr,
                                           usedDefault);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    const int written = WideCharToMultiByte(codePage, flags, text.data(),
                                            static_cast<int>(text.size()), bytes.data(), needed,
                                            nullptr, usedDefault);
    EXPECT_EQ(written, needed);
    return bytes;
}

TEST(CodePages, Utf8EncodesPairsAndReplacesUnpairedSurrogates) {
    EXPECT_EQ(ToBytes(CP_UTF8, u"A\u00E9\u4E2D"), "A\xC3\xA9\xE4\xB8\xAD");
    EXPECT_EQ(ToBytes(CP_UTF8, u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ToBytes(CP_UTF8, std::u16string{u'a', char16_t(0xD800), u'b'}), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(ToBytes(CP_UTF8, std::u16string{char16_t(0xDC00)}), "\xEF\xBF\xBD");
}

TEST(CodePages, Utf8RefusesBestFitFlagsAsWindowsDoes) {
    char out[8];
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_NO_BEST_FIT_CHARS, u"a", 1, out, 8, nullptr,
                                  nullptr),
              0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CodePages, AnsiUsesBestFitUnlessTheCallerRefusesIt) {
    // Fullwidth quotation mark: best fit turns it into a real double quote.
    EXPECT_EQ(ToBytes(CP_ACP, u"\uFF02x\u0100\u20AC\u00E9"), "\"xA\x80\xE9");
    BOOL usedDefault = FALSE;
    EXPECT_EQ(ToBytes(CP_ACP, u"\uFF02x\u0100\u4E2D", WC_NO_BEST_FIT_CHARS, &usedDefault),
              "?x??");
    EXPECT_TRUE(usedDefault);
    usedDefault = TRUE;
    EXPECT_EQ(ToBytes(CP_ACP, u"plain", WC_NO_BEST_FIT_CHARS, &usedDefault), "plain");
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(ToBytes(CP_ACP, u"\u4E2D"), "?");
}

TEST(CodePages, SizeQueryTerminatorAndShortBuffer) {
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ab", -1, nullptr, 0, nullptr, nullptr), 3);
    char out[2];
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"abc", -1, out, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, nullptr, 1, out, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CodePages, DecodeUtf8AndAnsi) {
    WCHAR out[8];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xC3\xA9\xFF", 3, out, 8), 2);
    EXPECT_EQ(out[0], u'\u00E9');
    EXPECT_EQ(out[1], u'\uFFFD');
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xFF", 1, out, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80\x81", 2, out, 8), 2);
    EXPECT_EQ(out[0], u'\u20AC');
    EXPECT_EQ(out[1], u'\u0081');
}

TEST(CodePages, UpperCasing) {
    WCHAR text[] = u"abc\u00E9\u00FF\u0101\u03C2\u0434z\u00F7";
    EXPECT_EQ(CharUpperBuffW(text, 11), 11u);
    EXPECT_EQ(std::u16string(text), u"ABC\u00C9\u0178\u0100\u03C2\u0414Z\u00F7");
}

}  // namespace
