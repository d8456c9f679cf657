// JPEG compression of engine surfaces: the colour conversion at every level, the stream byte for
// byte, row orders, the sink's bounds.
#include "image/jpeg_compression.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "image/blit_rules.h"
#include "image/ycbcr_conversion.h"
#include "support/engine_picture.h"
#include "support/jpeg_decode.h"
// After the platform headers: jpeglib.h defines TRUE and FALSE unless they exist.
#include <jpeglib.h>

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
}

// Every level the processor runs against the table's sums, over rows holding every blue of a
// fine grid of red and green. Each row is also converted from a later start, so that every
// length of a vector's leftover and unaligned pixels come up.
TEST(JpegColourConversion, EveryLevelGivesTheTablesSamples) {
    constexpr int kStep = 3;
    constexpr int kLevels = 256;
    constexpr int kMostSkipped = 33;
    std::vector<BYTE> pixels(3 * kLevels);
    std::vector<BYTE> y(kLevels), cb(kLevels), cr(kLevels);
    std::vector<BYTE> wantY(kLevels), wantCb(kLevels), wantCr(kLevels);
    int skipped = 0;
    for (ConversionLevel level : {ConversionLevel::kScalar, ConversionLevel::kSse2,
                                  ConversionLevel::kSsse3, ConversionLevel::kAvx2}) {
        if (!IsConversionLevelSupported(level)) {
            continue;
        }
        for (int r = 0; r < kLevels; r += kStep) {
            for (int g = 0; g < kLevels; g += kStep) {
                for (int b = 0; b < kLevels; ++b) {
                    pixels[3 * b] = static_cast<BYTE>(b);
                    pixels[3 * b + 1] = static_cast<BYTE>(g);
                    pixels[3 * b + 2] = static_cast<BYTE>(r);
                    wantY[b] = static_cast<BYTE>((1225 * r + 2404 * g + 467 * b + 2048) >> 12);
                    wantCb[b] = static_cast<BYTE>((-691 * r - 1357 * g + 2048 * b + 526335) >> 12);
                    wantCr[b] = static_cast<BYTE>((2048 * r - 1715 * g - 333 * b + 526335) >> 12);
                }
                skipped = (skipped + 1) % kMostSkipped;
                for (int start : {0, skipped}) {
                    for (std::vector<BYTE>* plane : {&y, &cb, &cr}) {
                        std::fill(plane->begin(), plane->end(), 0);
                    }
                    ConvertRowToPlanes(level, pixels.data() + 3 * start,
                                       static_cast<DWORD>(kLevels - start),
                                       {y.data() + start, cb.data() + start, cr.data() + start});
                    ASSERT_TRUE(std::equal(y.begin() + start, y.end(), wantY.begin() + start) &&
                                std::equal(cb.begin() + start, cb.end(), wantCb.begin() + start) &&
                                std::equal(cr.begin() + start, cr.end(), wantCr.begin() + start))
                        << "level " << static_cast<int>(level) << ", red " << r << ", green " << g
                        << ", from blue " << start;
                }
            }
        }
    }
}

// The library's own compression of rows converted one pixel at a time by the reference, with
// the plug-in's settings: the stream the plug-in must give byte for byte.
std::string ReferenceJpeg(const SURFOBJ& surface, const RECTL& rect) {
    jpeg_compress_struct library{};
    jpeg_error_mgr errors{};
    library.err = jpeg_std_error(&errors);
    jpeg_create_compress(&library);
    unsigned char* out = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&library, &out, &length);
    library.in_color_space = JCS_YCbCr;
    jpeg_set_defaults(&library);
    library.image_width = static_cast<JDIMENSION>(rect.right - rect.left);
    library.image_height = static_cast<JDIMENSION>(rect.bottom - rect.top);
    library.input_components = 3;
    jpeg_default_colorspace(&library);
    jpeg_set_quality(&library, 95, TRUE);
    library.comp_info[0].h_samp_factor = 1;
    library.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&library, TRUE);
    std::vector<BYTE> row(3 * library.image_width);
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        const BYTE* pixel = ScanLine(surface, y) + 3 * rect.left;
        for (JDIMENSION x = 0; x < library.image_width; ++x, pixel += 3) {
            const YCbCr sample = ConvertPixelToYCbCr(pixel[2], pixel[1], pixel[0]);
            row[3 * x] = sample.y;
            row[3 * x + 1] = sample.cb;
            row[3 * x + 2] = sample.cr;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&library, rows, 1);
    }
    jpeg_finish_compress(&library);
    jpeg_destroy_compress(&library);
    std::string stream(reinterpret_cast<const char*>(out), length);
    std::free(out);
    return stream;
}

// Pixels that change from one to the next, so that every edge sample and padded block counts.
ULONG Noise(LONG x, LONG y) {
    auto value = static_cast<ULONG>(x * 2654435761u ^ y * 2246822519u);
    return (value ^ value >> 13) & 0xFFFFFFu;
}

TEST(JpegCompression, StreamsEqualTheLibrarysOwnCompressionOfTheReferenceConversion) {
    struct Case {
        LONG surfaceWidth;
        LONG surfaceHeight;
        RECTL rect;
    };
    std::vector<Case> cases = {{1, 1, {0, 0, 1, 1}},
                               {7, 9, {0, 0, 7, 9}},
                               {41, 60, {0, 0, 41, 60}},
                               {2401, 1601, {0, 0, 2401, 1601}}};
    // Every offset of the rectangle within a block, across and down.
    for (LONG offset = 0; offset < 8; ++offset) {
        cases.push_back({64, 64, {offset, 7 - offset, offset + 41, 7 - offset + 23}});
    }
    for (FLONG rows : {FLONG{0}, FLONG{BMF_TOPDOWN}}) {
        for (const Case& c : cases) {
            EnginePicture picture(c.surfaceWidth, c.surfaceHeight, rows, Noise);
            const Compression result(picture.surface(), c.rect, picture.surface()->cjBits + 1024);
            ASSERT_TRUE(result.succeeded);
            EXPECT_TRUE(result.stream == ReferenceJpeg(*picture.surface(), c.rect))
                << c.surfaceWidth << " x " << c.surfaceHeight << " at " << c.rect.left << ","
                << c.rect.top << " rows " << rows;
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
