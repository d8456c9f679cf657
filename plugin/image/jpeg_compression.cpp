#include "image/jpeg_compression.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>

// After the platform headers: jpeglib.h defines TRUE and FALSE as macros unless they exist.
#include <jpeglib.h>
// clang-format off: the error codes need jpeglib.h first
#include <jerror.h>
// clang-format on

namespace xlrender {
namespace {

static_assert(JPEG_LIB_VERSION == 62, "the image path is written for the IJG version 62 API");

// The library's state for one compression, with the error manager whose error exit returns to
// `recovery`. Plain data only: the error exit jumps over the frame that holds it.
struct JpegCompressor {
    jpeg_compress_struct library;  // first: the library's callbacks find the rest from it
    jpeg_error_mgr errors;
    jpeg_destination_mgr destination;
    JOCTET* staging;  // the destination's buffer, from the library's image pool
    JpegSink* sink;
    std::jmp_buf recovery;
};

constexpr int kQuality = 95;
constexpr JDIMENSION kStagingBytes = 4096;
constexpr int kFractionBits = 12;
constexpr LONG kHalf = 1 << (kFractionBits - 1);
// Centres the chroma on 128 and rounds just below one half, so that 255 stays 255.
constexpr LONG kChromaOffset = (128 << kFractionBits) + kHalf - 1;

JpegCompressor* CompressorOf(j_common_ptr library) {
    // The library structure is the compressor's first member.
    return reinterpret_cast<JpegCompressor*>(library);
}

[[noreturn]] void ReturnToRecovery(j_common_ptr library) {
    std::longjmp(CompressorOf(library)->recovery, 1);
}

// Warnings and traces stay inside the plug-in: a driver has no console to show them on.
void DiscardMessage(j_common_ptr) {}

void StartDestination(j_compress_ptr library) {
    JpegCompressor* compressor = CompressorOf(reinterpret_cast<j_common_ptr>(library));
    compressor->staging = static_cast<JOCTET*>((*library->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(library), JPOOL_IMAGE, kStagingBytes));
    library->dest->next_output_byte = compressor->staging;
    library->dest->free_in_buffer = kStagingBytes;
}

// Hands the first `count` staged bytes to the sink and empties the staging buffer. An area too
// small for the stream ends the compression through the error exit.
void Deliver(j_compress_ptr library, JDIMENSION count) {
    JpegCompressor* compressor = CompressorOf(reinterpret_cast<j_common_ptr>(library));
    if (!JpegSinkWrite(*compressor->sink, compressor->staging, static_cast<DWORD>(count))) {
        library->err->msg_code = JERR_BUFFER_SIZE;
        (*library->err->error_exit)(reinterpret_cast<j_common_ptr>(library));
    }
    library->dest->next_output_byte = compressor->staging;
    library->dest->free_in_buffer = kStagingBytes;
}

// Called when the staging buffer is full, whatever its pointers say.
boolean EmptyDestination(j_compress_ptr library) {
    Deliver(library, kStagingBytes);
    return TRUE;
}

void FinishDestination(j_compress_ptr library) {
    Deliver(library, kStagingBytes - static_cast<JDIMENSION>(library->dest->free_in_buffer));
}

// Each channel's contribution to Y, Cb and Cr, the rounding and centring folded into red's, so
// that a sample is three table reads and a shift.
constexpr int kChannels = 3;  // red, green, blue
constexpr LONG kLevels = 256;

using ChannelTables = LONG[kChannels][kLevels];

struct ConversionTables {
    ChannelTables y;
    ChannelTables cb;
    ChannelTables cr;
};

constexpr ConversionTables MakeConversionTables() {
    ConversionTables tables{};
    for (LONG value = 0; value < kLevels; ++value) {
        tables.y[0][value] = value * 1225 + kHalf;
        tables.y[1][value] = value * 2404;
        tables.y[2][value] = value * 467;
        tables.cb[0][value] = value * -691 + kChromaOffset;
        tables.cb[1][value] = value * -1357;
        tables.cb[2][value] = value * 2048;
        tables.cr[0][value] = value * 2048 + kChromaOffset;
        tables.cr[1][value] = value * -1715;
        tables.cr[2][value] = value * -333;
    }
    return tables;
}

constexpr ConversionTables kConversion = MakeConversionTables();

JSAMPLE Sample(const ChannelTables& table, BYTE red, BYTE green, BYTE blue) {
    return static_cast<JSAMPLE>((table[0][red] + table[1][green] + table[2][blue]) >>
                                kFractionBits);
}

// The row's pixels (blue, green, red in memory) as Y, Cb, Cr samples into `row`.
void ConvertRow(const BYTE* pixels, JDIMENSION width, JSAMPLE* row) {
    for (JDIMENSION x = 0; x < width; ++x, pixels += 3, row += 3) {
        row[0] = Sample(kConversion.y, pixels[2], pixels[1], pixels[0]);
        row[1] = Sample(kConversion.cb, pixels[2], pixels[1], pixels[0]);
        row[2] = Sample(kConversion.cr, pixels[2], pixels[1], pixels[0]);
    }
}

}  // namespace

YCbCr ConvertPixelToYCbCr(BYTE red, BYTE green, BYTE blue) {
    return {Sample(kConversion.y, red, green, blue), Sample(kConversion.cb, red, green, blue),
            Sample(kConversion.cr, red, green, blue)};
}

// No object with a destructor lives in this frame: the error exit jumps back into it.
bool CompressJpegRect(JpegSink* sink, const RECTL* rect, const SURFOBJ* surface) {
    if (sink == nullptr || rect == nullptr || surface == nullptr) {
        return false;
    }
    JpegCompressor state{};
    JpegCompressor* compressor = &state;
    const auto width = static_cast<JDIMENSION>(rect->right - rect->left);
    const auto height = static_cast<JDIMENSION>(rect->bottom - rect->top);
    jpeg_compress_struct* library = &compressor->library;
    compressor->sink = sink;
    library->err = jpeg_std_error(&compressor->errors);
    compressor->errors.error_exit = &ReturnToRecovery;
    compressor->errors.output_message = &DiscardMessage;
    if (setjmp(compressor->recovery) != 0) {
        jpeg_destroy_compress(library);
        return false;
    }
    jpeg_create_compress(library);
    library->in_color_space = JCS_YCbCr;
    jpeg_set_defaults(library);
    library->image_width = width;
    library->image_height = height;
    library->input_components = 3;
    library->data_precision = 8;
    jpeg_default_colorspace(library);
    jpeg_set_quality(library, kQuality, TRUE);
    library->comp_info[0].h_samp_factor = 1;
    library->comp_info[0].v_samp_factor = 1;
    compressor->destination.init_destination = &StartDestination;
    compressor->destination.empty_output_buffer = &EmptyDestination;
    compressor->destination.term_destination = &FinishDestination;
    library->dest = &compressor->destination;
    jpeg_start_compress(library, TRUE);
    JSAMPROW row = static_cast<JSAMPROW>((*library->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(library), JPOOL_IMAGE, 3 * static_cast<size_t>(width)));
    const BYTE* pixels = static_cast<const BYTE*>(surface->pvScan0) +
                         static_cast<std::ptrdiff_t>(rect->top) * surface->lDelta +
                         3 * static_cast<std::ptrdiff_t>(rect->left);
    while (library->next_scanline < height) {
        ConvertRow(pixels, width, row);
        jpeg_write_scanlines(library, &row, 1);
        pixels += surface->lDelta;
    }
    jpeg_finish_compress(library);
    jpeg_destroy_compress(library);
    return true;
}

}  // namespace xlrender
