#include "image/jpeg_compression.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "image/blit_rules.h"
#include "image/ycbcr_conversion.h"

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
constexpr int kComponents = 3;  // Y, Cb, Cr

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

// The planes of one block row: DCTSIZE rows of each component, each row padded to whole blocks.
struct BlockRow {
    JSAMPARRAY planes[kComponents];
    JDIMENSION width;        // pixels of the rectangle
    JDIMENSION paddedWidth;  // samples of each plane row
};

// Repeats a row's last sample out to the padded width, as the library pads its own input.
void PadRight(const BlockRow& block, int row) {
    for (JSAMPARRAY plane : block.planes) {
        JSAMPROW samples = plane[row];
        std::memset(samples + block.width, samples[block.width - 1],
                    block.paddedWidth - block.width);
    }
}

// Repeats the block's row above `row`, as the library fills the last block row of the image.
void RepeatRowAbove(const BlockRow& block, int row) {
    for (JSAMPARRAY plane : block.planes) {
        std::memcpy(plane[row], plane[row - 1], block.paddedWidth);
    }
}

}  // namespace

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
    library->input_components = kComponents;
    library->data_precision = 8;
    jpeg_default_colorspace(library);
    jpeg_set_quality(library, kQuality, TRUE);
    library->comp_info[0].h_samp_factor = 1;
    library->comp_info[0].v_samp_factor = 1;
    // The planes go in as they are: the library neither converts nor copies them again.
    library->raw_data_in = TRUE;
    compressor->destination.init_destination = &StartDestination;
    compressor->destination.empty_output_buffer = &EmptyDestination;
    compressor->destination.term_destination = &FinishDestination;
    library->dest = &compressor->destination;
    jpeg_start_compress(library, TRUE);
    BlockRow block{{}, width, library->comp_info[0].width_in_blocks * DCTSIZE};
    for (JSAMPARRAY& plane : block.planes) {
        plane = (*library->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(library), JPOOL_IMAGE,
                                              block.paddedWidth, DCTSIZE);
    }
    const ConversionLevel level = BestConversionLevel();
    while (library->next_scanline < height) {
        for (int row = 0; row < DCTSIZE; ++row) {
            const JDIMENSION y = library->next_scanline + static_cast<JDIMENSION>(row);
            if (y >= height) {
                RepeatRowAbove(block, row);
                continue;
            }
            const BYTE* pixels = ScanLine(*surface, rect->top + static_cast<LONG>(y)) +
                                 3 * static_cast<std::ptrdiff_t>(rect->left);
            ConvertRowToPlanes(level, pixels, width,
                               {block.planes[0][row], block.planes[1][row], block.planes[2][row]});
            PadRight(block, row);
        }
        jpeg_write_raw_data(library, block.planes, DCTSIZE);
    }
    jpeg_finish_compress(library);
    jpeg_destroy_compress(library);
    return true;
}

}  // namespace xlrender
