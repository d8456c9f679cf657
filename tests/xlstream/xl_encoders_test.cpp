#include "xlstream/xl_encoders.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "xlstream/recording_flush.h"
#include "xlstream/xl_code_tables.h"

namespace xlrender {
namespace {

using testing::Buffered;
using testing::HexBytes;
using testing::RecordingFlush;

// The bytes one write produces on a fresh stream.
std::string Encode(const std::function<void(XlStream*)>& write) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    write(stream);
    EXPECT_EQ(stream->error, kXlHealthy);
    EXPECT_TRUE(flush.writes.empty());
    const std::string bytes = Buffered(stream);
    EXPECT_EQ(XlStreamDestroy(stream), static_cast<LONG>(bytes.size()));
    return bytes;
}

TEST(XlEncoders, ScalarsAreTaggedLowByteFirst) {
    EXPECT_EQ(Encode([](XlStream* s) { XlPutUByte(s, 0xAB); }), HexBytes("C0 AB"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutUInt16(s, 0x1234); }), HexBytes("C1 34 12"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutSInt16(s, -2); }), HexBytes("C3 FE FF"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutUInt32(s, 0x12345678); }),
              HexBytes("C2 78 56 34 12"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutReal32(s, 1.0f); }), HexBytes("C5 00 00 80 3F"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutReal32(s, -0.5f); }), HexBytes("C5 00 00 00 BF"));
}

TEST(XlEncoders, PairsAndBoxes) {
    EXPECT_EQ(Encode([](XlStream* s) { XlPutUInt16XY(s, 600, 0xFFFF); }),
              HexBytes("D1 58 02 FF FF"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutSInt16XY(s, -1, 300); }), HexBytes("D3 FF FF 2C 01"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutReal32XY(s, 1.0f, 2.0f); }),
              HexBytes("D5 00 00 80 3F 00 00 00 40"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutSInt16Box(s, 0, 0, 100, 200); }),
              HexBytes("E3 00 00 00 00 64 00 C8 00"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutSInt16Box(s, -1, 2, -3, 4); }),
              HexBytes("E3 FF FF 02 00 FD FF 04 00"));
}

TEST(XlEncoders, ArraysCarryA16BitCount) {
    const BYTE abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(Encode([&](XlStream* s) { XlPutUByteArray(s, abc, 3); }),
              HexBytes("C8 C1 03 00 61 62 63"));
    EXPECT_EQ(Encode([&](XlStream* s) { XlPutUByteArray(s, abc, 0); }), HexBytes("C8 C1 00 00"));
    const WORD wide[] = {0x0141, 0x0042};
    EXPECT_EQ(Encode([&](XlStream* s) { XlPutUByteArrayFrom16(s, wide, 2); }),
              HexBytes("C8 C1 02 00 41 42"));
    const SHORT spacing[] = {10, -1, 256};
    EXPECT_EQ(Encode([&](XlStream* s) { XlPutSInt16Array(s, spacing, 3); }),
              HexBytes("CB C1 03 00 0A 00 FF FF 00 01"));
}

TEST(XlEncoders, LongestArrayFitsItsCount) {
    const std::vector<BYTE> bytes(0xFFFF, 0x5A);
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    XlPutUByteArray(stream, bytes.data(), 0xFFFF);
    EXPECT_EQ(stream->error, kXlHealthy);
    XlStreamDestroy(stream);
    std::string all;
    for (const std::string& write : flush.writes) {
        all += write;
    }
    ASSERT_EQ(all.size(), 4u + 0xFFFF);
    EXPECT_EQ(all.substr(0, 4), HexBytes("C8 C1 FF FF"));
}

TEST(XlEncoders, ArrayBeyondItsCountIsRefusedWhole) {
    const std::vector<BYTE> bytes(0x10000, 0x5A);
    const std::vector<SHORT> values(0x10001, 7);
    const std::vector<WORD> wide(0x10000, 7);
    const std::function<void(XlStream*)> oversized[] = {
        [&](XlStream* s) { XlPutUByteArray(s, bytes.data(), 0x10000); },
        [&](XlStream* s) { XlPutSInt16Array(s, values.data(), 0x10001); },
        [&](XlStream* s) { XlPutUByteArrayFrom16(s, wide.data(), 0x10000); },
    };
    for (const auto& write : oversized) {
        RecordingFlush flush;
        XlStream* stream = flush.Create();
        XlPutUByte(stream, 1);
        write(stream);
        EXPECT_EQ(stream->error, kXlArrayTooLong);
        EXPECT_EQ(stream->errorCount, 1);
        EXPECT_EQ(Buffered(stream), HexBytes("C0 01"));  // not even the tag
        XlPutAttribute(stream, 0x03);                     // and the stream is done
        EXPECT_EQ(XlStreamDestroy(stream), 2);
    }
}

TEST(XlEncoders, DataLengthsAndRawData) {
    EXPECT_EQ(Encode([](XlStream* s) { XlPutDataLength(s, 0); }), HexBytes("FB 00"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutDataLength(s, 255); }), HexBytes("FB FF"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutDataLength(s, 256); }), HexBytes("FA 00 01 00 00"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutDataLength32(s, 3); }), HexBytes("FA 03 00 00 00"));
    const BYTE data[] = {1, 2};
    EXPECT_EQ(Encode([&](XlStream* s) { XlPutEmbeddedData(s, data, 2); }),
              HexBytes("FA 02 00 00 00 01 02"));
    EXPECT_EQ(Encode([&](XlStream* s) { XlPutRawBytes(s, data, 2); }), HexBytes("01 02"));
    EXPECT_EQ(Encode([](XlStream* s) { XlPutRawUInt16(s, 0xBEEF); }), HexBytes("EF BE"));
}

TEST(XlAttributeTable, AcceptsExactlyTheTableIds) {
    int accepted = 0;
    for (WORD id = 0; id < 0x200; ++id) {
        const BYTE entry = XlAcceptedAttribute(id);
        EXPECT_TRUE(entry == 0 || entry == id) << id;
        accepted += entry != 0 ? 1 : 0;
    }
    EXPECT_EQ(accepted, 127);
    for (WORD refused : {0x00, 0x0A, 0x10, 0x16, 0x1C, 0x2E, 0x37, 0x40, 0x55, 0x60, 0x6A,
                         0x70, 0x79, 0x80, 0x83, 0x87, 0x8E, 0x90, 0xB2, 0xFF, 0x100}) {
        EXPECT_EQ(XlAcceptedAttribute(refused), 0) << refused;
    }
    for (WORD edge : {0x01, 0x09, 0x0B, 0x11, 0x15, 0x1D, 0x2F, 0x36, 0x41, 0x54, 0x6B, 0x6F,
                      0x73, 0x78, 0x86, 0x88, 0x8D, 0x8F, 0x91, 0xB1}) {
        EXPECT_EQ(XlAcceptedAttribute(edge), edge) << edge;
    }
}

TEST(XlPutAttribute, WritesTheIdOrRefusesKeepingTheValue) {
    EXPECT_EQ(Encode([](XlStream* s) { XlPutAttribute(s, 0xB1); }), HexBytes("F8 B1"));
    for (WORD refused : {0x0A, 0xB2, 0x100}) {
        RecordingFlush flush;
        XlStream* stream = flush.Create();
        XlPutUByte(stream, 1);
        XlPutAttribute(stream, refused);
        EXPECT_EQ(stream->error, kXlRefusedAttribute);
        EXPECT_EQ(stream->errorCount, 1);
        EXPECT_EQ(Buffered(stream), HexBytes("C0 01"));
        XlPutAttribute(stream, 0x03);  // no-op now, and no second count
        EXPECT_EQ(stream->errorCount, 1);
        XlStreamDestroy(stream);
    }
}

TEST(XlEncoders, ValuesAreNeverSplitButTagsMayBe) {
    RecordingFlush flush;
    XlStream* stream = flush.Create(8);
    XlPutUInt16(stream, 0x1111);  // 3 bytes
    XlPutUByte(stream, 2);        // 5
    XlPutReal32(stream, 1.0f);    // tag fits at 6, the value needs 4 with 2 left
    ASSERT_EQ(flush.writes.size(), 1u);
    EXPECT_EQ(flush.writes[0], HexBytes("C1 11 11 C0 02 C5"));
    EXPECT_EQ(Buffered(stream), HexBytes("00 00 80 3F"));
    XlPutSInt16Box(stream, 1, 2, 3, 4);  // tag and x1 fit; y1 needs 2 with 1 left
    ASSERT_EQ(flush.writes.size(), 2u);
    EXPECT_EQ(flush.writes[1], HexBytes("00 00 80 3F E3 01 00"));
    EXPECT_EQ(Buffered(stream), HexBytes("02 00 03 00 04 00"));
    XlStreamDestroy(stream);
}

TEST(XlEncoders, FailedFlushLeavesTheValueIncompleteAndStops) {
    RecordingFlush flush;
    XlStream* stream = flush.Create(4);
    XlPutUByte(stream, 9);
    flush.failing = true;
    XlPutUInt32(stream, 0xAABBCCDD);  // the tag fits, the value's flush fails
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    EXPECT_EQ(flush.writes.back(), HexBytes("C0 09 C2"));
    EXPECT_EQ(stream->length, 0);
    XlPutUByte(stream, 1);
    XlPutRawUInt16(stream, 1);
    EXPECT_EQ(stream->length, 0);
    flush.failing = false;
    EXPECT_EQ(XlStreamDestroy(stream), 3);
}

}  // namespace
}  // namespace xlrender
