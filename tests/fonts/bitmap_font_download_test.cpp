// The bitmap form's records and the soft fonts' names.
#include "fonts/bitmap_font_download.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fonts/soft_font_names.h"
#include "fonts/xl_listing.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

using testing::HexBytes;
using testing::ListingOf;
using testing::RecordingFlush;
using testing::Written;

TEST(DownloadBitmapChar, PadsRowsTo32BitsAndRefusesEmptyOrTooWideGlyphs) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    const std::vector<BYTE> bits(10 * 8, 0xA5);
    const BYTE name[] = {'F'};
    XlBeginChar(stream, name, 1);
    EXPECT_TRUE(DownloadBitmapChar(stream, 33, 10, -3, 40, 7, bits.data()));
    EXPECT_FALSE(DownloadBitmapChar(stream, 0, 10, 0, 0, 8, bits.data()));
    EXPECT_FALSE(DownloadBitmapChar(stream, 10, 0, 0, 0, 8, bits.data()));
    // 65505 pixels round up to 65536: more than the record's 16-bit width.
    EXPECT_FALSE(DownloadBitmapChar(stream, 65505, 1, 0, 0, 8, bits.data()));
    EXPECT_EQ(BitmapRowBytes(65504), 65504u / 8);
    XlEndChar(stream);
    XlStreamDestroy(stream);
    const std::string bytes = Written(flush);
    EXPECT_EQ(
        ListingOf(bytes),
        (std::vector<std::string>{"BeginChar FontName=\"F\"", "ReadChar CharCode=7 CharDataSize=90",
                                  "  data: 90 bytes, character format 0 class 0", "EndChar"}));
    EXPECT_NE(bytes.find(HexBytes("00 00 FF FD 00 28 00 40 00 0A A5")), std::string::npos)
        << "left -3, top 40, width 64, height 10";
}

TEST(DownloadBitmapHeader, AnnouncesTheDeviceResolution) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    DownloadBitmapHeader(stream, "F 0", 12, 600, 1200);
    XlStreamDestroy(stream);
    const std::string bytes = Written(flush);
    EXPECT_NE(bytes.find(HexBytes("00 00 00 02 FE 00 00 0C")), std::string::npos);
    EXPECT_NE(bytes.find(HexBytes("42 52 00 00 00 04 02 58 04 B0")), std::string::npos);
    EXPECT_EQ(ListingOf(bytes).back(), "EndFontHeader");
}

TEST(SoftFontNames, KeepTheirSuffixAndIndexHoweverLongTheFace) {
    char name[kBitmapFontNameBytes];
    ASSERT_TRUE(BuildSoftFontName(u"Arial", 0, name, sizeof name));
    EXPECT_STREQ(name, "ArialKZ_WM");
    ASSERT_TRUE(BuildSoftFontName(u"Arial", 2, name, sizeof name));
    EXPECT_STREQ(name, "ArialKZ_WM2");
    const std::u16string longFace(40, u'W');  // only the first 32 units count
    ASSERT_TRUE(BuildSoftFontName(longFace.c_str(), 0, name, sizeof name));
    EXPECT_EQ(std::string(name), std::string(32, 'W') + "KZ_WM");

    char bitmapName[12];
    BuildBitmapFontName("VeryLongFaceKZ_WM", 3, bitmapName, sizeof bitmapName);
    EXPECT_STREQ(bitmapName, "VeryLongF 3");
}

}  // namespace
}  // namespace xlrender
