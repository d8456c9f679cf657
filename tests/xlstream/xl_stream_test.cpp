#include "xlstream/xl_stream.h"

#include <gtest/gtest.h>

#include <string_view>

#include "unidrv/device.h"
#include "world.h"
#include "xlstream/recording_flush.h"
#include "xlstream/xl_spool_flush.h"

namespace xlrender {
namespace {

using testing::Buffered;
using testing::RecordingFlush;

// Appends `text` as consecutive units of `unitSize` bytes.
void AppendBytes(XlStream* stream, std::string_view text, LONG unitSize) {
    for (std::size_t at = 0; at < text.size(); at += static_cast<std::size_t>(unitSize)) {
        XlAppendUnit(stream, reinterpret_cast<const BYTE*>(text.data() + at), unitSize);
    }
}

TEST(XlStreamCreate, RefusesWhatCannotMakeAWorkingStream) {
    RecordingFlush flush;
    const std::size_t blocksBefore = sim::LiveHeapBlocks();
    // Below four bytes a 32-bit value would be copied past the buffer.
    for (LONG capacity : {0, 1, 3, -1}) {
        EXPECT_EQ(XlStreamCreate(capacity, &RecordingFlush::Callback, &flush), nullptr) << capacity;
    }
    EXPECT_EQ(XlStreamCreate(-XL_STREAM_BUFFER_SIZE, &RecordingFlush::Callback, &flush), nullptr);
    EXPECT_EQ(XlStreamCreate(XL_STREAM_BUFFER_SIZE, nullptr, nullptr), nullptr);

    sim::TheWorld().heap.failAfter = 1;  // the stream record
    EXPECT_EQ(flush.Create(), nullptr);
    sim::TheWorld().heap.failAfter = 2;  // its buffer
    EXPECT_EQ(flush.Create(), nullptr);
    EXPECT_EQ(sim::LiveHeapBlocks(), blocksBefore);  // the record went back with the failure
    EXPECT_TRUE(flush.writes.empty());
}

TEST(XlStreamCreate, StartsHealthyAndEmpty) {
    int marker = 0;
    XlStream* stream = XlStreamCreate(XL_STREAM_BUFFER_SIZE, &RecordingFlush::Callback, &marker);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->capacity, 4096);
    EXPECT_EQ(stream->length, 0);
    EXPECT_EQ(stream->total, 0);
    EXPECT_EQ(stream->error, kXlHealthy);
    EXPECT_EQ(stream->errorCount, 0);
    EXPECT_EQ(stream->context, &marker);
    EXPECT_EQ(stream->device, nullptr);
    stream->flush = nullptr;  // the marker is no recorder
    XlStreamDestroy(stream);
}

TEST(XlStreamRoomRule, FlushesAheadOfAUnitThatDoesNotFit) {
    RecordingFlush flush;
    XlStream* stream = flush.Create(8);
    AppendBytes(stream, "abcde", 1);
    AppendBytes(stream, "fg", 2);  // exactly capacity - 3 bytes left before it
    EXPECT_EQ(flush.writes.size(), 0u);
    EXPECT_EQ(Buffered(stream), "abcdefg");
    AppendBytes(stream, "hi", 2);  // needs 2 with 1 left
    ASSERT_EQ(flush.writes.size(), 1u);
    EXPECT_EQ(flush.writes[0], "abcdefg");
    EXPECT_EQ(Buffered(stream), "hi");

    // Four bytes with three left: the whole value starts the next write.
    AppendBytes(stream, "jkl", 1);
    EXPECT_EQ(stream->length, 5);
    AppendBytes(stream, "WXYZ", 4);
    ASSERT_EQ(flush.writes.size(), 2u);
    EXPECT_EQ(flush.writes[1], "hijkl");
    EXPECT_EQ(Buffered(stream), "WXYZ");
    EXPECT_EQ(XlStreamDestroy(stream), 7 + 2 + 3 + 4);
    EXPECT_EQ(flush.writes.back(), "WXYZ");
}

TEST(XlStreamRoomRule, OneByteFlushesOnlyWhenTheBufferIsFull) {
    RecordingFlush flush;
    XlStream* stream = flush.Create(4);
    AppendBytes(stream, "abc", 1);  // capacity - 1
    AppendBytes(stream, "d", 1);
    EXPECT_TRUE(flush.writes.empty());
    EXPECT_EQ(stream->length, stream->capacity);
    AppendBytes(stream, "e", 1);
    ASSERT_EQ(flush.writes.size(), 1u);
    EXPECT_EQ(flush.writes[0], "abcd");
    EXPECT_EQ(Buffered(stream), "e");

    // Data bytes fill the buffer to the last byte before each flush.
    XlAppendBytes(stream, reinterpret_cast<const BYTE*>("fghijkl"), 7);
    ASSERT_EQ(flush.writes.size(), 2u);
    EXPECT_EQ(flush.writes[1], "efgh");
    EXPECT_EQ(Buffered(stream), "ijkl");
    XlStreamDestroy(stream);
}

TEST(XlStreamFailure, FailedFlushMidValueStopsEverythingButDestroy) {
    RecordingFlush flush;
    XlStream* stream = flush.Create(4);
    AppendBytes(stream, "abc", 1);
    flush.failing = true;
    AppendBytes(stream, "WX", 2);  // needs a flush, which fails
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    EXPECT_EQ(stream->errorCount, 1);
    EXPECT_EQ(stream->length, 0);  // emptied whether or not the flush worked
    EXPECT_EQ(stream->total, 3);

    AppendBytes(stream, "y", 1);
    XlAppendBytes(stream, reinterpret_cast<const BYTE*>("zz"), 2);
    EXPECT_EQ(stream->length, 0);
    EXPECT_EQ(stream->total, 3);
    EXPECT_EQ(flush.writes.size(), 1u);

    flush.failing = false;
    EXPECT_EQ(XlStreamDestroy(stream), 3);
    ASSERT_EQ(flush.writes.size(), 2u);  // destroy still hands the (empty) buffer over
    EXPECT_EQ(flush.writes[1], "");
}

TEST(XlStreamFailure, FirstCodeSticksAndEveryFailureCounts) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    XlStreamFail(stream, kXlRefusedAttribute);
    XlStreamFail(stream, kXlSpoolWriteFailed);
    EXPECT_EQ(stream->error, kXlRefusedAttribute);
    EXPECT_EQ(stream->errorCount, 2);
    XlStreamDestroy(stream);
}

TEST(XlStreamDestroy, EmptyBufferStillReachesTheCallback) {
    RecordingFlush flush;
    XlStream* stream = flush.Create();
    EXPECT_EQ(XlStreamDestroy(stream), 0);
    ASSERT_EQ(flush.writes.size(), 1u);
    EXPECT_TRUE(flush.writes[0].empty());
    EXPECT_EQ(XlStreamDestroy(nullptr), 0);
}

class XlSpoolFlushTest : public ::testing::Test {
protected:
    XlStream* CreateOnDevice() {
        XlStream* stream = XlStreamCreate(XL_STREAM_BUFFER_SIZE, &XlSpoolFlush, nullptr);
        stream->device = device.devobj();
        return stream;
    }
    sim::unidrv::Device device{0};
};

TEST_F(XlSpoolFlushTest, WritesTheBufferAndEmptiesIt) {
    XlStream* stream = CreateOnDevice();
    AppendBytes(stream, "abc", 1);
    XlStreamFlush(stream);
    EXPECT_EQ(stream->length, 0);
    EXPECT_EQ(stream->error, kXlHealthy);
    XlStreamFlush(stream);  // nothing buffered: no write, no failure
    EXPECT_EQ(stream->error, kXlHealthy);
    AppendBytes(stream, "de", 1);
    EXPECT_EQ(XlStreamDestroy(stream), 5);
    ASSERT_EQ(device.spool().Chunks().size(), 2u);
    EXPECT_EQ(device.spool().Chunks()[0].bytes, "abc");
    EXPECT_EQ(device.spool().Chunks()[0].route, sim::unidrv::SpoolRoute::kDrvProcs);
    EXPECT_EQ(device.spool().Chunks()[1].bytes, "de");
}

TEST_F(XlSpoolFlushTest, RefusedWriteFailsTheStreamAndKeepsTheBytes) {
    XlStream* stream = CreateOnDevice();
    AppendBytes(stream, "abc", 1);
    device.spool().LimitWrite(1, 0);
    XlStreamFlush(stream);
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    EXPECT_EQ(stream->errorCount, 1);
    EXPECT_EQ(stream->length, 3);  // only a successful write empties the buffer
    AppendBytes(stream, "d", 1);
    EXPECT_EQ(XlStreamDestroy(stream), 3);
    EXPECT_EQ(device.spool().Bytes(), "abc");  // what was buffered before the failure goes out
}

TEST_F(XlSpoolFlushTest, BytesAShortWriteTookAreNeverSentAgain) {
    XlStream* stream = CreateOnDevice();
    AppendBytes(stream, "abcdef", 1);
    device.spool().LimitWrite(1, 2);
    device.spool().LimitWrite(2, 0);
    XlStreamFlush(stream);
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    EXPECT_EQ(Buffered(stream), "cdef");
    EXPECT_EQ(XlStreamDestroy(stream), 6);
    EXPECT_EQ(device.spool().Bytes(), "abcdef");

    stream = CreateOnDevice();
    AppendBytes(stream, "ghij", 1);
    device.spool().LimitWrite(1, 1);
    device.spool().LimitWrite(2, 0);
    EXPECT_FALSE(XlDrainToSpool(stream));
    EXPECT_EQ(Buffered(stream), "hij");
    XlStreamDestroy(stream);
    EXPECT_EQ(device.spool().Bytes(), "abcdefghij");
}

TEST_F(XlSpoolFlushTest, RefusedWriteMidValueEmptiesTheBufferAndEndsTheStream) {
    XlStream* stream = XlStreamCreate(8, &XlSpoolFlush, nullptr);
    stream->device = device.devobj();
    AppendBytes(stream, "abcdef", 2);
    device.spool().LimitWrite(1, 0);
    AppendBytes(stream, "WXYZ", 4);  // 2 bytes free: the room flush is refused
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    EXPECT_EQ(stream->errorCount, 1);
    EXPECT_EQ(stream->length, 0);
    AppendBytes(stream, "gh", 2);
    EXPECT_EQ(stream->total, 6);
    EXPECT_EQ(XlStreamDestroy(stream), 6);
    EXPECT_TRUE(device.spool().Chunks().empty());  // the refused bytes are gone, nothing else
}

TEST_F(XlSpoolFlushTest, StreamWithoutDeviceFails) {
    XlStream* stream = CreateOnDevice();
    stream->device = nullptr;
    AppendBytes(stream, "a", 1);
    XlStreamFlush(stream);
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    XlStreamDestroy(stream);
}

TEST_F(XlSpoolFlushTest, DrainReportsWhetherTheBytesArrived) {
    XlStream* stream = CreateOnDevice();
    AppendBytes(stream, "abc", 1);
    EXPECT_TRUE(XlDrainToSpool(stream));
    EXPECT_EQ(stream->length, 0);
    EXPECT_EQ(device.spool().Bytes(), "abc");

    AppendBytes(stream, "de", 1);
    device.spool().LimitWrite(1, 0);
    EXPECT_FALSE(XlDrainToSpool(stream));
    EXPECT_EQ(stream->error, kXlSpoolWriteFailed);
    EXPECT_EQ(stream->errorCount, 1);
    EXPECT_EQ(stream->length, 2);
    // Nothing new to drain, but the stream lost bytes: still not arrived.
    stream->length = 0;
    EXPECT_FALSE(XlDrainToSpool(stream));
    XlStreamDestroy(stream);
}

}  // namespace
}  // namespace xlrender
