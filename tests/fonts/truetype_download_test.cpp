// The scalable soft font: the header blocks and character records the printer receives.
#include "fonts/truetype_download.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "fonts/synthetic_font.h"
#include "fonts/xl_listing.h"
#include "world.h"

namespace xlrender {
namespace {

using namespace xlrender::testing;

Bytes Composite(unsigned component, bool more) {
    Bytes glyph = {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
    AppendBigEndian16(glyph, more ? 0x0021 : 0x0001);  // word arguments
    AppendBigEndian16(glyph, component);
    AppendBigEndian32(glyph, 0);
    return glyph;
}

// Glyph 1 an outline, 2 empty, 3 a composite of 1 and 4, 4 a composite of itself.
Bytes TestFont(std::size_t hmtxBytes) {
    Bytes composite = Composite(1, true);
    const Bytes second = Composite(4, false);
    composite.insert(composite.end(), second.begin() + 10, second.end());
    const auto [glyf, loca] =
        GlyfAndLoca({Bytes(4, 0xA0), Bytes(8, 0xA1), Bytes{}, composite, Composite(4, false)});
    return BuildFontFile({{"glyf", glyf},
                          {"head", HeadTable(false)},
                          {"hmtx", Bytes(hmtxBytes, 0x5A)},
                          {"loca", loca},
                          {"maxp", MaxpTable(5)}});
}

TrueTypeDownload Download() {
    TrueTypeDownload download{};
    download.charCount = 5;
    std::strcpy(download.fontName, "TestKZ_WM");
    for (DWORD code = 0; code < kCodeCount; ++code) download.codeToGlyph[code] = code;
    return download;
}

TEST(DownloadTrueTypeHeader, SendsLargeTablesAsSeveralBlocksUnderA32BitSegmentSize) {
    const Bytes font = TestFont(70000);
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    TrueTypeDownload download = Download();
    ASSERT_TRUE(DownloadTrueTypeHeader(stream, ViewOf(font), download));
    XlStreamDestroy(stream);
    const std::string bytes = Written(flush);
    EXPECT_EQ(
        ListingOf(bytes),
        (std::vector<std::string>{
            "BeginFontHeader FontName=\"TestKZ_WM\" FontFormat=0",
            "ReadFontHeader FontHeaderLength=8", "  data: 8 bytes, font header format 0",
            "ReadFontHeader FontHeaderLength=6", "  data: 6 bytes, font header continued",
            "ReadFontHeader FontHeaderLength=76", "  data: 76 bytes, font header continued",
            "ReadFontHeader FontHeaderLength=56", "  data: 56 bytes, font header continued",
            "ReadFontHeader FontHeaderLength=65535", "  data: 65535 bytes, font header continued",
            "ReadFontHeader FontHeaderLength=4465", "  data: 4465 bytes, font header continued",
            "ReadFontHeader FontHeaderLength=8", "  data: 8 bytes, font header continued",
            "ReadFontHeader FontHeaderLength=6", "  data: 6 bytes, font header continued",
            "EndFontHeader"}));
    const std::string segmentHead = HexBytes("47 54 00 01 11 FC");  // 76 + 56 + 70000 + 8
    EXPECT_NE(bytes.find(segmentHead), std::string::npos);
    EXPECT_NE(bytes.find(std::string("gdir") + std::string(12, '\0') + "head"), std::string::npos);
}

TEST(DownloadTrueTypeHeader, RefusesBeforeTheFirstByte) {
    Bytes outside = TestFont(16);
    PatchDirectory(outside, 2, 12, 0x7FFFFFFF);
    const Bytes good = TestFont(16);
    for (const auto& [font, failAllocation] : {std::pair{outside, false}, std::pair{good, true}}) {
        RecordingFlush flush;
        XlStream* stream = flush.Create();
        ASSERT_NE(stream, nullptr);
        sim::TheWorld().heap.failAfter = failAllocation ? 2 : 0;  // the directory block
        TrueTypeDownload download = Download();
        EXPECT_FALSE(DownloadTrueTypeHeader(stream, ViewOf(font), download));
        XlStreamDestroy(stream);
        EXPECT_EQ(Written(flush), "");
    }
}

TEST(DownloadTextGlyphs, SendsEveryTextByteWithCompositeComponentsFirstAndMissingGlyphsEmpty) {
    const Bytes font = TestFont(16);
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    TrueTypeDownload download = Download();
    download.codeToGlyph['A'] = 1;
    download.codeToGlyph[' '] = 2;
    download.codeToGlyph['C'] = 3;
    download.codeToGlyph['Z'] = 300;  // beyond the font
    const BYTE text[] = {'A', ' ', 'A', 'C', 'Z'};
    DownloadTextGlyphs(stream, ViewOf(font), download, text, sizeof text);
    XlStreamDestroy(stream);
    const std::vector<std::string> lines = ListingOf(Written(flush));
    const std::vector<std::string> reads = [&] {
        std::vector<std::string> only;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(only),
                     [](const std::string& line) { return line.rfind("ReadChar", 0) == 0; });
        return only;
    }();
    // The composite's own component 4 names itself: followed a few levels, then cut off.
    EXPECT_EQ(reads.front(), "ReadChar CharCode=65 CharDataSize=14");
    EXPECT_EQ(reads[1], "ReadChar CharCode=32 CharDataSize=6");
    EXPECT_EQ(reads[3], "ReadChar CharCode=65535 CharDataSize=14") << "component 1";
    EXPECT_EQ(reads.back(), "ReadChar CharCode=90 CharDataSize=6");
    EXPECT_EQ(std::count(reads.begin(), reads.end(), "ReadChar CharCode=65535 CharDataSize=24"), 4)
        << "glyph 4 at four depths";
    EXPECT_EQ(lines.back(), "EndChar");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.rfind("!!", 0) == 0; }),
              0);
    EXPECT_NE(Written(flush).find(HexBytes("01 00 00 04 00 02")), std::string::npos)
        << "the space's record";
}

}  // namespace
}  // namespace xlrender
