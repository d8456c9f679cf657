#include "xlstream/xl_operators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "unidrv/device.h"
#include "xlstream/recording_flush.h"
#include "xlstream/xl_code_tables.h"
#include "xlstream/xl_encoders.h"
#include "xlstream/xl_spool_flush.h"

namespace xlrender {
namespace {

using testing::Buffered;
using testing::HexBytes;
using testing::RecordingFlush;

const BYTE kFontName[] = {'F', '1'};

struct HelperCase {
    const char* name;
    std::function<void(XlStream*)> write;
    const char* bytes;
};

const std::vector<HelperCase>& HelperCases() {
    static const SHORT xSpacing[] = {10, -20};
    static const SHORT ySpacing[] = {0, 5};
    static const BYTE gray[] = {0x00, 0xFF};
    static const std::vector<HelperCase> cases = {
        {"BeginFontHeader", [](XlStream* s) { XlBeginFontHeader(s, kFontName, 2, 0); },
         "C8 C1 02 00 46 31 F8 A8 C0 00 F8 A9 4F"},
        {"ReadFontHeader", [](XlStream* s) { XlReadFontHeader(s, 300); }, "C1 2C 01 F8 A7 50"},
        {"EndFontHeader", [](XlStream* s) { XlEndFontHeader(s); }, "51"},
        {"BeginChar", [](XlStream* s) { XlBeginChar(s, kFontName, 2); },
         "C8 C1 02 00 46 31 F8 A8 52"},
        {"ReadChar", [](XlStream* s) { XlReadChar(s, 0x41, 100); },
         "C1 41 00 F8 A2 C2 64 00 00 00 F8 A3 53"},
        {"EndChar", [](XlStream* s) { XlEndChar(s); }, "54"},
        {"SetFont", [](XlStream* s) { XlSetFont(s, kFontName, 2, 12.0f, 1); },
         "C8 C1 02 00 46 31 F8 A8 C5 00 00 40 41 F8 A6 C1 01 00 F8 AA 6F"},
        {"SetCharAngle", [](XlStream* s) { XlSetCharAngle(s, 90.0f); }, "C5 00 00 B4 42 F8 A1 64"},
        {"SetCharScale", [](XlStream* s) { XlSetCharScale(s, 1.0f, 1.0f); },
         "D5 00 00 80 3F 00 00 80 3F F8 A4 65"},
        {"SetCharShear", [](XlStream* s) { XlSetCharShear(s, 0, 0); }, "D3 00 00 00 00 F8 A5 66"},
        {"SetCharBoldValue", [](XlStream* s) { XlSetCharBoldValue(s, 0.0f); },
         "C5 00 00 00 00 F8 B1 7D"},
        {"TextXY",
         [](XlStream* s) {
             XlTextXY(s, reinterpret_cast<const BYTE*>("AB"), 2, xSpacing, 2, ySpacing, 2);
         },
         "C8 C1 02 00 41 42 F8 AB CB C1 02 00 0A 00 EC FF F8 AF CB C1 02 00 00 00 05 00 F8 B0 A8"},
        {"SetCursor", [](XlStream* s) { XlSetCursor(s, 100, -100); }, "D3 64 00 9C FF F8 4C 6B"},
        {"NewPath", [](XlStream* s) { XlNewPath(s); }, "85"},
        {"RectanglePath", [](XlStream* s) { XlRectanglePath(s, 0, 0, 100, 200); },
         "E3 00 00 00 00 64 00 C8 00 F8 42 A1"},
        {"LinePath", [](XlStream* s) { XlLinePath(s, 3, 3); }, "C1 03 00 F8 4D C0 03 F8 50 9B"},
        {"BezierPath", [](XlStream* s) { XlBezierPath(s, 3, 2); },
         "C1 03 00 F8 4D C0 02 F8 50 93"},
        {"CloseSubPath", [](XlStream* s) { XlCloseSubPath(s); }, "84"},
        {"PaintPath", [](XlStream* s) { XlPaintPath(s); }, "86"},
        {"SetNullPen", [](XlStream* s) { XlSetNullPen(s); }, "C0 00 F8 05 79"},
        {"SetBrushGray", [](XlStream* s) { XlSetBrushGray(s, 255.0f); },
         "C5 00 00 7F 43 F8 09 63"},
        {"SetBrushPattern", [](XlStream* s) { XlSetBrushPattern(s, 1); }, "C3 01 00 F8 08 63"},
        {"SetColorSpace", [](XlStream* s) { XlSetColorSpace(s, 2); }, "C0 02 F8 03 6A"},
        {"SetColorSpacePalette", [](XlStream* s) { XlSetColorSpacePalette(s, 1, 2, gray, 2); },
         "C0 01 F8 03 C0 02 F8 02 C8 C1 02 00 00 FF F8 06 6A"},
        {"SetROP", [](XlStream* s) { XlSetROP(s, 252); }, "C0 FC F8 2C 7B"},
        {"SetPaintTxMode", [](XlStream* s) { XlSetPaintTxMode(s, 1); }, "C0 01 F8 2D 78"},
        {"SetSourceTxMode", [](XlStream* s) { XlSetSourceTxMode(s, 1); }, "C0 01 F8 2D 7C"},
        {"SetClipMode", [](XlStream* s) { XlSetClipMode(s, 1); }, "C0 01 F8 54 7F"},
        {"SetClipRectangle", [](XlStream* s) { XlSetClipRectangle(s, 1, 2, 3, 4, 0); },
         "E3 01 00 02 00 03 00 04 00 F8 42 C0 00 F8 53 68"},
        {"SetClipReplace", [](XlStream* s) { XlSetClipReplace(s, 0); }, "C0 00 F8 53 62"},
        {"SetClipToPage", [](XlStream* s) { XlSetClipToPage(s); }, "69"},
        {"SetPageDefaultCTM", [](XlStream* s) { XlSetPageDefaultCTM(s); }, "74"},
        {"PushGS", [](XlStream* s) { XlPushGS(s); }, "61"},
        {"PopGS", [](XlStream* s) { XlPopGS(s); }, "60"},
        {"BeginImage", [](XlStream* s) { XlBeginImage(s, 0, 2, 640, 480, 1280, 960); },
         "C0 00 F8 64 C0 02 F8 62 C1 80 02 F8 6C C1 E0 01 F8 6B D1 00 05 C0 03 F8 67 B0"},
        {"ReadImage", [](XlStream* s) { XlReadImage(s, 0, 480, 2); },
         "C1 00 00 F8 6D C1 E0 01 F8 63 C0 02 F8 65 B1"},
        {"EndImage", [](XlStream* s) { XlEndImage(s); }, "B2"},
        {"BeginRastPattern",
         [](XlStream* s) { XlBeginRastPattern(s, 1, 0, 16, 16, 16, 16, 1, 0); },
         "C0 01 F8 64 C0 00 F8 62 C1 10 00 F8 6C C1 10 00 F8 6B D1 10 00 10 00 F8 67 "
         "C3 01 00 F8 69 C0 00 F8 68 B3"},
        {"ReadRastPattern", [](XlStream* s) { XlReadRastPattern(s, 0, 16, 0); },
         "C1 00 00 F8 6D C1 10 00 F8 63 C0 00 F8 65 B4"},
        {"EndRastPattern", [](XlStream* s) { XlEndRastPattern(s); }, "B5"},
        {"EndPage", [](XlStream* s) { XlEndPage(s); }, "44"},
        {"EndPageCopies", [](XlStream* s) { XlEndPageCopies(s, 2); }, "C1 02 00 F8 31 44"},
    };
    return cases;
}

TEST(XlOperatorHelpers, WriteTheirAttributesInOrderAndEndTheSpoolWrite) {
    for (const HelperCase& helper : HelperCases()) {
        RecordingFlush flush;
        XlStream* stream = flush.Create();
        helper.write(stream);
        EXPECT_EQ(stream->error, kXlHealthy) << helper.name;
        ASSERT_EQ(flush.writes.size(), 1u) << helper.name;
        EXPECT_EQ(flush.writes[0], HexBytes(helper.bytes)) << helper.name;
        EXPECT_EQ(stream->length, 0) << helper.name;
        XlStreamDestroy(stream);
    }
}

std::string TextBytes(std::vector<SHORT> spacing) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    XlText(stream, reinterpret_cast<const BYTE*>("AB"), 2, spacing.data(),
           static_cast<DWORD>(spacing.size()));
    XlStreamDestroy(stream);
    return flush.writes.at(0);
}

TEST(XlText, SpacingTakesTheSmallerArrayWhenEveryValueFitsAByte) {
    const std::string text = HexBytes("C8 C1 02 00 41 42 F8 AB");
    EXPECT_EQ(TextBytes({10, 255}), text + HexBytes("C8 C1 02 00 0A FF F8 AF A8"));
    EXPECT_EQ(TextBytes({10, 256}), text + HexBytes("CB C1 02 00 0A 00 00 01 F8 AF A8"));
    EXPECT_EQ(TextBytes({10, -1}), text + HexBytes("CB C1 02 00 0A 00 FF FF F8 AF A8"));
    EXPECT_EQ(TextBytes({}), text + HexBytes("C8 C1 00 00 F8 AF A8"));
}

TEST(XlPassThrough, OperatorEndsTheWriteAndTheDataFollow) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    const BYTE data[] = {1, 2, 3};
    XlPassThrough(stream, data, 3);
    ASSERT_EQ(flush.writes.size(), 1u);
    EXPECT_EQ(flush.writes[0], HexBytes("BF"));
    EXPECT_EQ(Buffered(stream), HexBytes("FA 03 00 00 00 01 02 03"));
    XlStreamDestroy(stream);
}

TEST(XlPutOperator, AcceptsExactlyTheTableCodes) {
    int accepted = 0;
    for (WORD code = 0; code < 0x200; ++code) {
        const BYTE entry = XlAcceptedOperator(code);
        EXPECT_TRUE(entry == 0 || entry == code) << code;
        accepted += entry != 0 ? 1 : 0;
    }
    EXPECT_EQ(accepted, 92);
    for (WORD refused : {0x40, 0x45, 0x4C, 0x4E, 0x59, 0x5A, 0x82, 0x83, 0x87, 0x90, 0x9A, 0x9C,
                         0xA4, 0xA7, 0xAB, 0xAF, 0xB7, 0xBA, 0xBE, 0xC0, 0x100}) {
        EXPECT_EQ(XlAcceptedOperator(refused), 0) << refused;
    }
}

TEST(XlPutOperator, RefusedCodeWritesNothingAndEndsTheStream) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    XlPutUByte(stream, 1);
    XlPutOperator(stream, 0x45);
    EXPECT_EQ(stream->error, kXlRefusedOperator);
    EXPECT_EQ(stream->errorCount, 1);
    EXPECT_TRUE(flush.writes.empty());  // no flush for a refused operator
    XlPutOperator(stream, 0xBF);
    EXPECT_EQ(Buffered(stream), HexBytes("C0 01"));
    EXPECT_EQ(stream->errorCount, 1);
    XlStreamDestroy(stream);

    RecordingFlush wide;
    stream = wide.Create();
    XlPutOperator(stream, 0x1BF);  // the low byte is accepted, the code is not
    EXPECT_EQ(stream->error, kXlRefusedOperator);
    XlStreamDestroy(stream);
}

TEST(XlPutOperator, FailedRoomFlushDropsTheByteButStillFlushes) {
    RecordingFlush flush;
    XlStream* stream = flush.Create(kXlLargestUnitBytes);
    XlPutUByte(stream, 7);
    XlPutUByte(stream, 8);  // buffer full
    flush.failing = true;
    XlPutOperator(stream, 0x44);
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    ASSERT_EQ(flush.writes.size(), 2u);  // the room flush, then the operator's own
    EXPECT_EQ(flush.writes[0], HexBytes("C0 07 C0 08"));
    EXPECT_EQ(flush.writes[1], "");
    EXPECT_EQ(stream->total, 4);
    XlStreamDestroy(stream);
}

TEST(XlOperatorHelpers, RefusedAttributeStopsTheHelperBeforeItsOperator) {
    // An attribute that the table refuses would only come from a caller bug; simulate one by
    // failing the stream the same way in the middle of a helper's attribute list.
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    XlPutUInt16(stream, 5);
    XlPutAttribute(stream, 0xB2);
    XlEndPageCopies(stream, 2);
    EXPECT_EQ(stream->error, kXlRefusedAttribute);
    EXPECT_EQ(Buffered(stream), HexBytes("C1 05 00"));
    EXPECT_TRUE(flush.writes.empty());
    XlStreamDestroy(stream);
}

TEST(XlOperatorHelpers, OversizedTextIsRefusedAndNothingIsSent) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    const std::vector<SHORT> spacing(0x10000, 300);
    XlText(stream, reinterpret_cast<const BYTE*>("A"), 1, spacing.data(),
           static_cast<DWORD>(spacing.size()));
    EXPECT_EQ(stream->error, kXlArrayTooLong);
    EXPECT_TRUE(flush.writes.empty());  // the Text operator never went out
    XlStreamDestroy(stream);
}

// Operators and data written to a simulated device's spool.
class XlSpoolWrites : public ::testing::Test {
protected:
    void SetUp() override {
        stream = XlStreamCreate(XL_STREAM_BUFFER_SIZE, &XlSpoolFlush, nullptr);
        ASSERT_NE(stream, nullptr);
        stream->device = device.devobj();
    }
    std::size_t Writes() { return device.spool().Chunks().size(); }

    sim::unidrv::Device device{0};
    XlStream* stream = nullptr;
};

TEST_F(XlSpoolWrites, OnePerOperatorPlusOnePerBufferOfData) {
    for (DWORD dataBytes : {0u, 1u, 4090u, 4091u, 4092u, 10000u, 3u * 4096u}) {
        device.spool().Clear();
        const std::vector<BYTE> data(dataBytes, 0xA5);
        XlPushGS(stream);
        XlSetColorSpace(stream, 2);
        XlBeginImage(stream, 0, 2, 10, 10, 10, 10);
        XlReadImage(stream, 0, 10, 2);
        XlPutDataLength(stream, dataBytes);
        XlPutRawBytes(stream, data.data(), dataBytes);
        XlStreamFlush(stream);
        XlEndImage(stream);
        XlPopGS(stream);
        XlStreamFlush(stream);  // nothing left: no write
        const std::size_t operators = 6;
        const DWORD prefix = dataBytes < 256 ? 2 : 5;
        // The length prefix and the data fill whole buffers before the flush after them.
        const std::size_t dataWrites = (prefix + dataBytes + 4095) / 4096;
        EXPECT_EQ(Writes(), operators + dataWrites) << dataBytes;
        EXPECT_EQ(stream->error, kXlHealthy) << dataBytes;
    }
    XlStreamDestroy(stream);
}

TEST_F(XlSpoolWrites, FailedOperatorWriteIsRecordedAndTheRestIsSkipped) {
    XlSetROP(stream, 0xCC);
    device.spool().LimitWrite(1, 0);
    XlEndPageCopies(stream, 3);
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    EXPECT_EQ(stream->errorCount, 1);
    XlPushGS(stream);
    EXPECT_EQ(Writes(), 1u);
    // The refused bytes are still buffered and go out when the stream is destroyed.
    EXPECT_EQ(XlStreamDestroy(stream), 5 + 6);
    EXPECT_EQ(device.spool().Bytes(), HexBytes("C0 CC F8 2C 7B C1 03 00 F8 31 44"));
}

TEST_F(XlSpoolWrites, AShortThenRefusedWriteSendsNoByteTwice) {
    XlSetROP(stream, 0xCC);
    device.spool().LimitWrite(1, 2);
    device.spool().LimitWrite(2, 0);
    XlEndPageCopies(stream, 3);
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    XlPushGS(stream);  // an operator on the failed stream still flushes what is left
    XlStreamDestroy(stream);
    EXPECT_EQ(device.spool().Bytes(), HexBytes("C0 CC F8 2C 7B C1 03 00 F8 31 44"));
}

TEST_F(XlSpoolWrites, APassThroughOperatorWhoseWriteFailedIsNeverSentWithoutItsData) {
    const BYTE data[] = {'a', 'b', 'c'};
    device.spool().LimitWrite(1, 0);
    XlPassThrough(stream, data, sizeof data);
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    XlStreamDestroy(stream);
    EXPECT_TRUE(device.spool().Bytes().empty());
}

TEST_F(XlSpoolWrites, PartialHostWritesAreCompleted) {
    device.spool().LimitWrite(1, 2);
    XlSetClipRectangle(stream, 1, 2, 3, 4, 0);
    EXPECT_EQ(stream->error, kXlHealthy);
    EXPECT_EQ(device.spool().Bytes(), HexBytes("E3 01 00 02 00 03 00 04 00 F8 42 C0 00 F8 53 68"));
    XlStreamDestroy(stream);
}

}  // namespace
}  // namespace xlrender
