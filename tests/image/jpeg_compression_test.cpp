// JPEG compression of engine surfaces: colours, row orders, the sink's bounds and the stream.
#include "image/jpeg_compression.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/engine_picture.h"
#include "support/jpeg_decode.h"

namespace xlrender {
namespace {

using testing::DecodeJpeg;
using testing::EnginePicture;

// Compresses `rect` into an area of `capacity` bytes followed by a guard that must stay intact.
struct Compression {
    Compression(const SURFOBJ* surface, const RECTL& rect, DWORD capacity)
        : buffer(capacity + kGuard, kGuardByte) {
        JpegSink sink;
        JpegSinkReset(sink);
        JpegSinkAttach(sink, buffer.data(), capacity);
        succeeded = CompressJpegRect(&sink, &rect, surface);
        stream.assign(reinterpret_cast<const char*>(buffer.data()), JpegSinkLength(sink));
        guardIntact = std::all_of(buffer.begin() + capacity, buffer.end(),
                                  [](BYTE b) { return b == kGuardByte; });
    }
    static constexpr DWORD kGuard = 64;
    static constexpr BYTE kGuardByte = 0x5A;
    std::vector<BYTE> buffer;
    bool succeeded = false;
    bool guardIntact = false;
    std::string stream;
};

TEST(JpegColourConversion, FollowsTheFixedPointTableSampleBySample) {
    const YCbCr grey = ConvertPixelToYCbCr(128, 128, 128);
    EXPECT_EQ(grey.y, 128);
    EXPECT_EQ(grey.cb, 128);
    EXPECT_EQ(grey.cr, 128);
    const YCbCr red = ConvertPixelToYCbCr(255, 0, 0);
    EXPECT_EQ(red.y, 76);    // (1225 * 255 + 2048) >> 12
    EXPECT_EQ(red.cb, 85);   // (-691 * 255 + 526335) >> 12
    EXPECT_EQ(red.cr, 255);  // (2048 * 255 + 526335) >> 12
    const YCbCr blue = ConvertPixelToYCbCr(0, 0, 255);
    EXPECT_EQ(blue.y, 29);
    EXPECT_EQ(blue.cb, 255);
    EXPECT_EQ(blue.cr, 107);
    const YCbCr yellow = ConvertPixelToYCbCr(255, 255, 0);
    EXPECT_EQ(yellow.cb, 0);  // (-2048 * 255 + 526335) >> 12 = 0: never below
    const YCbCr white = ConvertPixelToYCbCr(255, 255, 255);
    EXPECT_EQ(white.y, 255);
    // Every sample of a grid over the colour cube against the table's sums.
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                const YCbCr sample = ConvertPixelToYCbCr(static_cast<BYTE>(r), static_cast<BYTE>(g),
                                                         static_cast<BYTE>(b));
                ASSERT_EQ(sample.y, (1225 * r + 2404 * g + 467 * b + 2048) >> 12);
                ASSERT_EQ(sample.cb, (-691 * r - 1357 * g + 2048 * b + 526335) >> 12);
                ASSERT_EQ(sample.cr, (2048 * r - 1715 * g - 333 * b + 526335) >> 12);
            }
        }
    }
}

TEST(JpegCompression, RedStoredBlueGreenRedDecodesToRedInBothRowOrders) {
    for (FLONG rows : {FLONG{0}, FLONG{BMF_TOPDOWN}}) {
        EnginePicture picture(41, 60, rows, [](LONG, LONG) { return 0xFF0000u; });
        const BYTE* first = static_cast<const BYTE*>(picture.surface()->pvScan0);
        ASSERT_EQ(first[0], 0);  // stored blue, green, red
        ASSERT_EQ(first[2], 255);
        const Compression result(picture.surface(), {0, 0, 41, 60}, picture.surface()->cjBits);
        ASSERT_TRUE(result.succeeded);
        const auto image = DecodeJpeg(result.stream);
        EXPECT_EQ(image.width, 41);
        EXPECT_EQ(image.height, 60);
        EXPECT_GT(image.At(20, 30, 0), 245) << "rows " << rows;
        EXPECT_LT(image.At(20, 30, 2), 10) << "rows " << rows;
    }
}

TEST(JpegCompression, ARectangleIsReadFromItsOwnRowsAndColumns) {
    // Green inside (10..50, 20..70), black elsewhere; bottom-up rows.
    EnginePicture picture(80, 100, 0, [](LONG x, LONG y) {
        return x >= 10 && x < 50 && y >= 20 && y < 70 ? 0x00FF00u : 0u;
    });
    const Compression result(picture.surface(), {10, 20, 50, 70}, picture.surface()->cjBits);
    ASSERT_TRUE(result.succeeded);
    const auto image = DecodeJpeg(result.stream);
    ASSERT_EQ(image.width, 40);
    for (int corner : {0, 39}) {
        EXPECT_GT(image.At(corner, corner, 1), 240);
        EXPECT_LT(image.At(corner, corner, 0), 15);
    }
}

TEST(JpegCompression, TheStreamIsBaselineFourFourFourAndCountedToItsEnd) {
    EnginePicture picture(300, 200, BMF_TOPDOWN, testing::Gradient);
    const Compression result(picture.surface(), {0, 0, 300, 200}, picture.surface()->cjBits);
    ASSERT_TRUE(result.succeeded);
    ASSERT_GT(result.stream.size(), 4096u);  // more than one staging buffer
    EXPECT_EQ(result.stream.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(result.stream.substr(result.stream.size() - 2), "\xFF\xD9");
    const std::size_t frame = result.stream.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    // Frame header: length, precision, height, width, 3 components each sampled 1 x 1.
    EXPECT_EQ(result.stream[frame + 9], 3);
    for (int component = 0; component < 3; ++component) {
        EXPECT_EQ(result.stream[frame + 11 + 3 * component], 0x11);
    }
}

TEST(JpegCompression, AStreamLongerThanTheAreaFailsWithoutWritingPastIt) {
    EnginePicture picture(300, 200, BMF_TOPDOWN, testing::Gradient);
    for (DWORD capacity : {DWORD{0}, DWORD{100}, DWORD{5000}}) {
        const Compression result(picture.surface(), {0, 0, 300, 200}, capacity);
        EXPECT_FALSE(result.succeeded) << capacity;
        EXPECT_TRUE(result.guardIntact) << capacity;
        EXPECT_LE(result.stream.size(), capacity);
    }
}

TEST(JpegCompression, LibraryErrorsFailQuietly) {
    // Wider than the library allows: its error ends the compression, and nothing is printed.
    SURFOBJ wide = *EnginePicture(2, 1, BMF_TOPDOWN, testing::Gradient).surface();
    std::vector<BYTE> row(3 * 70000);
    wide.pvScan0 = row.data();
    wide.sizlBitmap = {70000, 1};
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    const Compression result(&wide, {0, 0, 70000, 1}, 1 << 20);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(result.succeeded);
    JpegSink sink;
    JpegSinkReset(sink);
    EXPECT_FALSE(CompressJpegRect(&sink, nullptr, &wide));
}

}  // namespace
}  // namespace xlrender
