// Encoding speed of the PCL XL stream on the attribute-heavy sequences the plug-in writes most:
// the watermark drawing sequence and the image headers of an intercepted blit. The stream's
// flush discards, so the figure is the encoders' own cost; a memcpy of the same bytes is the
// floor to compare with.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"
#include "xlstream/xl_stream.h"

namespace {

using namespace xlrender;

// Counts what reaches the flush and drops it.
struct DiscardingFlush {
    long flushes = 0;
    long bytes = 0;

    static DWORD Callback(XlStream* stream, void* context, BYTE* /*buffer*/, LONG length) {
        auto* self = static_cast<DiscardingFlush*>(context);
        ++self->flushes;
        self->bytes += length;
        stream->length = 0;
        return static_cast<DWORD>(length) + 1;  // non-zero: success, even when empty
    }
};

// Collects every byte, to learn what the sequence writes.
DWORD CollectingFlush(XlStream* stream, void* context, BYTE* buffer, LONG length) {
    static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(buffer),
                                               static_cast<std::size_t>(length));
    stream->length = 0;
    return static_cast<DWORD>(length) + 1;
}

const BYTE kFontName[] = "Arial Unicode MSKZ_WM";
const BYTE kText[] = "CONFIDENTIAL";
constexpr WORD kTextLength = sizeof kText - 1;
const BYTE kRedOnWhite[] = {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF};
const std::vector<BYTE> kShadePattern(64, 0xF0);

// A scalable-font watermark on one logical page.
void WriteWatermark(XlStream* s) {
    static const SHORT dx[kTextLength] = {118, 118, 125, 105, 110, 118,
                                          125, 125, 69,  125, 118, 105};
    static const SHORT dy[kTextLength] = {-68, -68, -72, -61, -64, -68,
                                          -72, -72, -40, -72, -68, -61};
    XlPushGS(s);
    XlSetPageDefaultCTM(s);
    XlSetCharScale(s, 1.0f, 1.0f);
    XlSetCharBoldValue(s, 0.0f);
    XlSetClipRectangle(s, 2480, 3508, 4960, 7016, 0);
    XlSetCharShear(s, 0, 0);
    XlSetCharAngle(s, 30.0f);
    XlSetPaintTxMode(s, 1);
    XlSetSourceTxMode(s, 1);
    XlSetColorSpacePalette(s, 2, 2, kRedOnWhite, sizeof kRedOnWhite);
    XlSetCursor(s, 0, 0);
    XlBeginRastPattern(s, 1, 0, 16, 16, 16, 16, 1, 0);
    XlReadRastPattern(s, 0, 16, 0);
    XlPutEmbeddedData(s, kShadePattern.data(), static_cast<DWORD>(kShadePattern.size()));
    XlEndRastPattern(s);
    XlSetBrushPattern(s, 1);
    XlSetPaintTxMode(s, 1);
    XlSetSourceTxMode(s, 1);
    XlSetROP(s, 252);
    XlSetFont(s, kFontName, sizeof kFontName - 1, 600 * 72 * 0.013888889f, 1);
    XlSetCursor(s, 1840, 4100);
    XlTextXY(s, kText, kTextLength, dx, kTextLength, dy, kTextLength);
    XlSetCharShear(s, 0, 0);
    XlSetCharAngle(s, 0.0f);
    XlPopGS(s);
}

// The clip and headers around one intercepted blit's JPEG data (the data not included).
void WriteImageHeaders(XlStream* s) {
    XlSetClipMode(s, 1);
    XlNewPath(s);
    XlRectanglePath(s, 300, 400, 2200, 1900);
    XlSetClipReplace(s, 0);
    XlPushGS(s);
    XlSetPaintTxMode(s, 0);
    XlSetSourceTxMode(s, 0);
    XlSetROP(s, 0xCC);
    XlSetColorSpace(s, 2);
    XlBeginImage(s, 0, 2, 1900, 1500, 1900, 1500);
    XlReadImage(s, 0, 1500, 2);
    XlPutDataLength(s, 180000);
    XlStreamFlush(s);
    XlEndImage(s);
    XlPopGS(s);
    XlSetClipToPage(s);
}

void WriteSequence(XlStream* s) {
    WriteWatermark(s);
    WriteImageHeaders(s);
}

// Every operator ends a write, so with a buffer too large to fill the flushes count operators.
long OperatorsInSequence() {
    DiscardingFlush counter;
    XlStream* stream = XlStreamCreate(1 << 20, &DiscardingFlush::Callback, &counter);
    WriteSequence(stream);
    const long flushesWithImageFlush = counter.flushes;
    XlStreamDestroy(stream);
    return flushesWithImageFlush - 1;  // less the explicit flush after the image data
}

std::string SequenceBytes() {
    std::string bytes;
    XlStream* stream = XlStreamCreate(XL_STREAM_BUFFER_SIZE, &CollectingFlush, &bytes);
    WriteSequence(stream);
    XlStreamDestroy(stream);
    return bytes;
}

void BM_EncodeWatermarkAndImageHeaders(benchmark::State& state) {
    DiscardingFlush flush;
    XlStream* stream = XlStreamCreate(XL_STREAM_BUFFER_SIZE, &DiscardingFlush::Callback, &flush);
    for (auto _ : state) {
        WriteSequence(stream);
        benchmark::ClobberMemory();
    }
    const long operators = OperatorsInSequence();
    state.SetBytesProcessed(flush.bytes);
    state.counters["bytes_per_sequence"] =
        static_cast<double>(flush.bytes) / static_cast<double>(state.iterations());
    state.counters["operators_per_sequence"] = static_cast<double>(operators);
    state.counters["flushes_per_operator"] =
        static_cast<double>(flush.flushes) /
        (static_cast<double>(operators) * static_cast<double>(state.iterations()));
    XlStreamDestroy(stream);
}
BENCHMARK(BM_EncodeWatermarkAndImageHeaders);

// As a hook does it: a stream created and destroyed around each sequence.
void BM_EncodeInFreshStream(benchmark::State& state) {
    DiscardingFlush flush;
    for (auto _ : state) {
        XlStream* stream =
            XlStreamCreate(XL_STREAM_BUFFER_SIZE, &DiscardingFlush::Callback, &flush);
        WriteSequence(stream);
        XlStreamDestroy(stream);
    }
    state.SetBytesProcessed(flush.bytes);
}
BENCHMARK(BM_EncodeInFreshStream);

void BM_MemcpySameBytes(benchmark::State& state) {
    const std::string bytes = SequenceBytes();
    std::vector<char> destination(bytes.size());
    for (auto _ : state) {
        std::memcpy(destination.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_MemcpySameBytes);

}  // namespace

BENCHMARK_MAIN();
