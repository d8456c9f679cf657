// The plug-in's JPEG compression of the benchmark photograph (2400 x 1600) against bare
// libjpeg-turbo compressing the same pixels from blue-green-red rows (its own conversion) at the
// same settings: quality 95, no subsampling, the standard tables, into memory. The paired
// benchmark gives both CPU times and their ratio from one run; the conversion alone is timed
// at each level this processor runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "image/jpeg_compression.h"
#include "image/ycbcr_conversion.h"
#include "paired_cpu_time.h"
#include "photo_page_job.h"
#include "unidrv/image_file.h"
// After the platform headers: jpeglib.h defines TRUE and FALSE unless they exist.
#include <jpeglib.h>

namespace {

constexpr int kQuality = 95;
constexpr int kPairs = 15;

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

// The photograph as the engine's 24-bit top-down surface.
SURFOBJ SurfaceOf(const sim::unidrv::BgrImage& image) {
    SURFOBJ surface{};
    surface.sizlBitmap = {image.width, image.height};
    surface.cjBits = static_cast<ULONG>(image.pixels.size());
    surface.pvScan0 = const_cast<std::uint8_t*>(image.pixels.data());
    surface.lDelta = static_cast<LONG>(image.stride);
    surface.iBitmapFormat = BMF_24BPP;
    surface.iType = STYPE_BITMAP;
    surface.fjBitmap = BMF_TOPDOWN;
    return surface;
}

// The plug-in's compression of the whole photograph; its length, or 0 on failure.
DWORD PluginCompress(const SURFOBJ& surface, std::vector<BYTE>& area) {
    const RECTL whole{0, 0, surface.sizlBitmap.cx, surface.sizlBitmap.cy};
    xlrender::JpegSink sink;
    xlrender::JpegSinkReset(sink);
    xlrender::JpegSinkAttach(sink, area.data(), static_cast<DWORD>(area.size()));
    return xlrender::CompressJpegRect(&sink, &whole, &surface) ? xlrender::JpegSinkLength(sink) : 0;
}

// Bare libjpeg-turbo from blue-green-red rows; the stream's length.
unsigned long BareCompress(const sim::unidrv::BgrImage& image) {
    jpeg_compress_struct library{};
    jpeg_error_mgr errors{};
    library.err = jpeg_std_error(&errors);
    jpeg_create_compress(&library);
    unsigned char* out = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&library, &out, &length);
    library.image_width = static_cast<JDIMENSION>(image.width);
    library.image_height = static_cast<JDIMENSION>(image.height);
    library.input_components = 3;
    library.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&library);
    jpeg_set_quality(&library, kQuality, TRUE);
    library.comp_info[0].h_samp_factor = 1;
    library.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&library, TRUE);
    while (library.next_scanline < library.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(image.pixels.data()) +
                       static_cast<std::size_t>(library.next_scanline) * image.stride;
        jpeg_write_scanlines(&library, &row, 1);
    }
    jpeg_finish_compress(&library);
    jpeg_destroy_compress(&library);
    std::free(out);
    return length;
}

void PluginCompressJpegRect(benchmark::State& state) {
    const sim::unidrv::BgrImage* image = Photo(state);
    if (image == nullptr) {
        return;
    }
    const SURFOBJ surface = SurfaceOf(*image);
    std::vector<BYTE> area(surface.cjBits);
    DWORD length = 0;
    for (auto _ : state) {
        if ((length = PluginCompress(surface, area)) == 0) {
            state.SkipWithError("compression failed");
            return;
        }
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
        length = BareCompress(*image);
    }
    state.counters["bytes"] = static_cast<double>(length);
}
BENCHMARK(BareLibjpeg)->Unit(benchmark::kMillisecond);

// The figure the plug-in is held to: its CPU time over bare libjpeg-turbo's, pair by pair.
void PluginOverBareLibjpeg(benchmark::State& state) {
    const sim::unidrv::BgrImage* image = Photo(state);
    if (image == nullptr) {
        return;
    }
    const SURFOBJ surface = SurfaceOf(*image);
    std::vector<BYTE> area(surface.cjBits);
    xlrender::bench::TimeInPairs(
        state, "plugin", "bare", [&] { return PluginCompress(surface, area) != 0; },
        [&] { return BareCompress(*image) != 0; });
}
BENCHMARK(PluginOverBareLibjpeg)->Iterations(kPairs)->Unit(benchmark::kMillisecond);

// The colour conversion alone of the whole photograph, at one level.
void ConvertPhotograph(benchmark::State& state, xlrender::ConversionLevel level) {
    const sim::unidrv::BgrImage* image = Photo(state);
    if (image == nullptr) {
        return;
    }
    if (!xlrender::IsConversionLevelSupported(level)) {
        state.SkipWithError("this processor lacks the level");
        return;
    }
    const auto width = static_cast<DWORD>(image->width);
    std::vector<BYTE> y(width), cb(width), cr(width);
    for (auto _ : state) {
        for (LONG row = 0; row < image->height; ++row) {
            xlrender::ConvertRowToPlanes(
                level, image->pixels.data() + static_cast<std::size_t>(row) * image->stride, width,
                {y.data(), cb.data(), cr.data()});
        }
        benchmark::DoNotOptimize(y.data());
    }
}
BENCHMARK_CAPTURE(ConvertPhotograph, scalar, xlrender::ConversionLevel::kScalar)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertPhotograph, sse2, xlrender::ConversionLevel::kSse2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertPhotograph, ssse3, xlrender::ConversionLevel::kSsse3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertPhotograph, avx2, xlrender::ConversionLevel::kAvx2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
