// The plug-in's JPEG compression of the benchmark photograph (2400 x 1600) against bare
// libjpeg compressing the same pixels at the same settings: quality 95, no subsampling, the
// standard tables, into memory.
#include <benchmark/benchmark.h>

#include <vector>

#include "image/jpeg_compression.h"
#include "photo_page_job.h"
#include "unidrv/image_file.h"
// After the platform headers: jpeglib.h defines TRUE and FALSE unless they exist.
#include <jpeglib.h>

namespace {

const sim::unidrv::BgrImage* Photo(benchmark::State& state) {
    static const sim::unidrv::BgrImage image = [] {
        const std::filesystem::path file = xlrender::bench::PhotoFile();
        return file.empty() ? sim::unidrv::BgrImage{} : sim::unidrv::ReadImageFile(file);
    }();
    if (image.pixels.empty()) {
        state.SkipWithError("cannot make the photograph");
        return nullptr;
    }
    return &image;
}

void PluginCompressJpegRect(benchmark::State& state) {
    const sim::unidrv::BgrImage* image = Photo(state);
    if (image == nullptr) {
        return;
    }
    SURFOBJ surface{};
    surface.sizlBitmap = {image->width, image->height};
    surface.cjBits = static_cast<ULONG>(image->pixels.size());
    surface.pvScan0 = const_cast<std::uint8_t*>(image->pixels.data());
    surface.lDelta = static_cast<LONG>(image->stride);
    surface.iBitmapFormat = BMF_24BPP;
    surface.iType = STYPE_BITMAP;
    surface.fjBitmap = BMF_TOPDOWN;
    const RECTL whole{0, 0, image->width, image->height};
    std::vector<BYTE> area(surface.cjBits);
    DWORD length = 0;
    for (auto _ : state) {
        xlrender::JpegSink sink;
        xlrender::JpegSinkReset(sink);
        xlrender::JpegSinkAttach(sink, area.data(), surface.cjBits);
        if (!xlrender::CompressJpegRect(&sink, &whole, &surface)) {
            state.SkipWithError("compression failed");
            return;
        }
        length = xlrender::JpegSinkLength(sink);
    }
    state.counters["bytes"] = length;
}
BENCHMARK(PluginCompressJpegRect)->Unit(benchmark::kMillisecond);

void BareLibjpeg(benchmark::State& state) {
    const sim::unidrv::BgrImage* image = Photo(state);
    if (image == nullptr) {
        return;
    }
    unsigned long length = 0;
    for (auto _ : state) {
        jpeg_compress_struct library{};
        jpeg_error_mgr errors{};
        library.err = jpeg_std_error(&errors);
        jpeg_create_compress(&library);
        unsigned char* out = nullptr;
        jpeg_mem_dest(&library, &out, &length);
        library.image_width = static_cast<JDIMENSION>(image->width);
        library.image_height = static_cast<JDIMENSION>(image->height);
        library.input_components = 3;
        library.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&library);
        jpeg_set_quality(&library, 95, TRUE);
        library.comp_info[0].h_samp_factor = 1;
        library.comp_info[0].v_samp_factor = 1;
        jpeg_start_compress(&library, TRUE);
        while (library.next_scanline < library.image_height) {
            JSAMPROW row = const_cast<std::uint8_t*>(image->pixels.data()) +
                           library.next_scanline * image->stride;
            jpeg_write_scanlines(&library, &row, 1);
        }
        jpeg_finish_compress(&library);
        jpeg_destroy_compress(&library);
        free(out);
    }
    state.counters["bytes"] = static_cast<double>(length);
}
BENCHMARK(BareLibjpeg)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
