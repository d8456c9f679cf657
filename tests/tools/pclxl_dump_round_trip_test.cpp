// What the stream helpers write, the spool reader names back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pclxl_dump/spool_reader.h"
#include "tools/windowed_reading.h"
#include "xlstream/recording_flush.h"
#include "xlstream/xl_codes.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

using testing::RecordingFlush;

const std::string kUniversalExit = "\x1B%-12345X";
const std::string kStreamHeader = ") HP-PCL XL;2;1;round trip\n";

const BYTE kFontName[] = {'F', '1'};
// A JPEG cut down to its markers: SOI, an empty APP0, a baseline frame header for 640x480 with
// three components, EOI.
const std::vector<BYTE> kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0xFF, 0xC0, 0x00,
                                 0x11, 0x08, 0x01, 0xE0, 0x02, 0x80, 0x03, 0x01, 0x11,
                                 0x00, 0x02, 0x11, 0x00, 0x03, 0x11, 0x00, 0xFF, 0xD9};

void WriteFontDownload(XlStream* s) {
    const BYTE headerStart[] = {0, 0, 0, 1};
    const BYTE headerRest[] = {7, 7};
    const BYTE glyph[] = {1, 0, 9, 9, 9, 9};
    XlBeginFontHeader(s, kFontName, 2, 0);
    XlReadFontHeader(s, 4);
    XlPutEmbeddedData(s, headerStart, 4);
    XlReadFontHeader(s, 2);
    XlPutEmbeddedData(s, headerRest, 2);
    XlEndFontHeader(s);
    XlBeginChar(s, kFontName, 2);
    XlReadChar(s, 0x41, 6);
    XlPutEmbeddedData(s, glyph, 6);
    XlEndChar(s);
}

void WriteWatermarkLikeText(XlStream* s) {
    const BYTE palette[] = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF};
    const std::vector<BYTE> pattern(64, 0xF0);
    const SHORT narrow[] = {10, 20};
    const SHORT xSpacing[] = {10, -20};
    const SHORT ySpacing[] = {0, 5};
    XlPushGS(s);
    XlSetPageDefaultCTM(s);
    XlSetCharScale(s, 1.0f, 1.0f);
    XlSetCharBoldValue(s, 0.0f);
    XlSetCharShear(s, 0, 0);
    XlSetCharAngle(s, 45.5f);
    XlSetClipRectangle(s, 1, 2, 3, 4, 0);
    XlSetPaintTxMode(s, 1);
    XlSetSourceTxMode(s, 1);
    XlSetColorSpacePalette(s, 2, 2, palette, 6);
    XlSetCursor(s, 0, 0);
    XlBeginRastPattern(s, 1, 0, 16, 16, 16, 16, 1, 0);
    XlReadRastPattern(s, 0, 16, 0);
    XlPutEmbeddedData(s, pattern.data(), 64);
    XlEndRastPattern(s);
    XlSetBrushPattern(s, 1);
    XlSetROP(s, 252);
    XlSetFont(s, kFontName, 2, 12.0f, 1);
    XlText(s, reinterpret_cast<const BYTE*>("AB"), 2, narrow, 2);
    XlTextXY(s, reinterpret_cast<const BYTE*>("AB"), 2, xSpacing, 2, ySpacing, 2);
    XlPopGS(s);
}

void WriteClipAndPaths(XlStream* s) {
    XlSetClipMode(s, 1);
    XlNewPath(s);
    XlRectanglePath(s, 0, 0, 100, 200);
    XlSetClipReplace(s, 0);
    XlSetClipToPage(s);
    XlNewPath(s);
    XlSetCursor(s, 10, 10);
    XlLinePath(s, 2, 3);
    XlPutDataLength(s, 8);
    for (WORD coordinate : {20, 20, 30, 10}) {
        XlPutRawUInt16(s, coordinate);
    }
    XlBezierPath(s, 3, 0);
    XlPutDataLength(s, 6);
    const BYTE points[] = {1, 2, 3, 4, 5, 6};
    XlPutRawBytes(s, points, 6);
    XlCloseSubPath(s);
    XlPaintPath(s);
}

void WriteImage(XlStream* s) {
    XlSetNullPen(s);
    XlSetBrushGray(s, 255.0f);
    XlSetColorSpace(s, 2);
    XlBeginImage(s, 0, 2, 640, 480, 1280, 960);
    XlReadImage(s, 0, 480, 2);
    XlPutDataLength(s, static_cast<DWORD>(kJpeg.size()));
    XlPutRawBytes(s, kJpeg.data(), static_cast<DWORD>(kJpeg.size()));
    XlStreamFlush(s);
    XlEndImage(s);
}

// Page attributes written for the host's BeginPage, as the command callbacks do.
void WritePageStart(XlStream* s) {
    const BYTE mediaType[] = {'P', 'l', 'a', 'i', 'n'};
    XlPutUByteArray(s, mediaType, 5);
    XlPutAttribute(s, kXlAttrMediaType);
    XlPutUByte(s, 1);
    XlPutAttribute(s, kXlAttrOrientation);
    XlPutOperator(s, 0x43);  // BeginPage, as the host writes it
}

std::string EveryHelper() {
    RecordingFlush flush;
    XlStream* s = flush.Create();
    WritePageStart(s);
    WriteFontDownload(s);
    WriteWatermarkLikeText(s);
    WriteClipAndPaths(s);
    WriteImage(s);
    const BYTE passThrough[] = {1, 2, 3};
    XlPassThrough(s, passThrough, 3);
    XlEndPageCopies(s, 2);
    XlPutOperator(s, 0x43);
    XlEndPage(s);
    EXPECT_EQ(s->error, kXlHealthy);
    XlStreamDestroy(s);
    std::string bytes;
    for (const std::string& write : flush.writes) {
        bytes += write;
    }
    return bytes;
}

std::vector<std::string> ListingText(const std::string& file, bool strict) {
    const pclxl_dump::Listing listing = xlrender::testing::ReadAlsoInWindows(file, strict);
    std::vector<std::string> lines;
    for (const pclxl_dump::ListingLine& line : listing.lines) {
        lines.push_back((line.problem ? "!! " : "") + line.text);
    }
    return lines;
}

TEST(PclXlDumpRoundTrip, NamesBackEveryHelper) {
    const std::string file = kUniversalExit + "@PJL JOB\n@PJL ENTER LANGUAGE = PCLXL\n" +
                             kStreamHeader + EveryHelper() + kUniversalExit + "@PJL EOJ\n" +
                             kUniversalExit;
    const std::vector<std::string> expected = {
        "<universal exit>",
        "@PJL JOB",
        "@PJL ENTER LANGUAGE = PCLXL",
        "PCL XL stream header: little-endian binding, protocol class 2.1, comment \"round trip\"",
        "BeginPage MediaType=\"Plain\" Orientation=eLandscapeOrientation",
        "BeginFontHeader FontName=\"F1\" FontFormat=0",
        "ReadFontHeader FontHeaderLength=4",
        "  data: 4 bytes, font header format 0",
        "ReadFontHeader FontHeaderLength=2",
        "  data: 2 bytes, font header continued",
        "EndFontHeader",
        "BeginChar FontName=\"F1\"",
        "ReadChar CharCode=65 CharDataSize=6",
        "  data: 6 bytes, character format 1 class 0",
        "EndChar",
        "PushGS",
        "SetPageDefaultCTM",
        "SetCharScale CharScale=(1, 1)",
        "SetCharBoldValue CharBoldValue=0",
        "SetCharShear CharShear=(0, 0)",
        "SetCharAngle CharAngle=45.5",
        "SetClipRectangle BoundingBox=(1, 2, 3, 4) ClipRegion=eInterior",
        "SetPaintTxMode TxMode=eTransparent",
        "SetSourceTxMode TxMode=eTransparent",
        "SetColorSpace ColorSpace=eRGB PaletteDepth=e8Bit PaletteData=<FF 00 00 FF FF FF>",
        "SetCursor Point=(0, 0)",
        "BeginRastPattern ColorMapping=eIndexedPixel ColorDepth=e1Bit SourceWidth=16 "
        "SourceHeight=16 DestinationSize=(16, 16) PatternDefineID=1 "
        "PatternPersistence=eTempPattern",
        "ReadRastPattern StartLine=0 BlockHeight=16 CompressMode=eNoCompression",
        "  data: 64 bytes",
        "EndRastPattern",
        "SetBrushSource PatternSelectID=1",
        "SetROP ROP3=0xFC",
        "SetFont FontName=\"F1\" CharSize=12 SymbolSet=1",
        "Text TextData=\"AB\" XSpacingData=<0A 14>",
        "Text TextData=\"AB\" XSpacingData=[10, -20] YSpacingData=[0, 5]",
        "PopGS",
        "SetClipMode ClipMode=eEvenOdd",
        "NewPath",
        "RectanglePath BoundingBox=(0, 0, 100, 200)",
        "SetClipReplace ClipRegion=eInterior",
        "SetClipToPage",
        "NewPath",
        "SetCursor Point=(10, 10)",
        "LinePath NumberOfPoints=2 PointType=eSInt16",
        "  data: 8 bytes",
        "BezierPath NumberOfPoints=3 PointType=eUByte",
        "  data: 6 bytes",
        "CloseSubPath",
        "PaintPath",
        "SetPenSource NullPen=0",
        "SetBrushSource GrayLevel=255",
        "SetColorSpace ColorSpace=eRGB",
        "BeginImage ColorMapping=eDirectPixel ColorDepth=e8Bit SourceWidth=640 "
        "SourceHeight=480 DestinationSize=(1280, 960)",
        "ReadImage StartLine=0 BlockHeight=480 CompressMode=eJPEGCompression",
        "  data: 27 bytes, JPEG 640x480, 3 components",
        "EndImage",
        "PassThrough",
        "  data: 3 bytes",
        "EndPage PageCopies=2",
        "BeginPage",
        "EndPage",
        "<universal exit>",
        "@PJL EOJ",
        "<universal exit>",
    };
    EXPECT_EQ(ListingText(file, true), expected);
}

TEST(PclXlDumpRoundTrip, EveryTruncationIsReadSafely) {
    const std::string whole = kStreamHeader + EveryHelper();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const std::string cut = whole.substr(0, size);
        const pclxl_dump::Listing strict = pclxl_dump::ReadSpool(
            {reinterpret_cast<const std::uint8_t*>(cut.data()), cut.size()}, true);
        const pclxl_dump::Listing relaxed = pclxl_dump::ReadSpool(
            {reinterpret_cast<const std::uint8_t*>(cut.data()), cut.size()}, false);
        // Only an empty file, a stream cut right after its header and one cut between the
        // two pages are complete; every other cut leaves something unfinished.
        const bool complete = size == 0 || size == kStreamHeader.size() || size == whole.size() - 2;
        EXPECT_EQ(strict.problemCount, complete ? 0u : 1u) << size;
        EXPECT_EQ(relaxed.problemCount == 0, complete) << size;
        for (const pclxl_dump::ListingLine& line : relaxed.lines) {
            EXPECT_LE(line.offset, size);
        }
    }
}

}  // namespace
}  // namespace xlrender
