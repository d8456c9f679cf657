#include "png_encoder.h"

#include <png.h>

#include <cmath>
#include <csetjmp>

#include "render_error.h"

namespace pclxl_render {
namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr int kBitDepth = 8;

void Append(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), size);
}

void Flush(png_structp) {}

// No objects with destructors live between setjmp and a libpng error's longjmp.
bool Encode(const PageRaster& page, double dpi, std::string& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, Append, Flush);
    // Pages are mostly flat colour: fast compression keeps large pages quick to write.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, static_cast<png_uint_32>(page.Width()),
                 static_cast<png_uint_32>(page.Height()), kBitDepth, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const auto perMetre = static_cast<png_uint_32>(std::lround(dpi / kMetresPerInch));
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < page.Height(); ++y) {
        png_write_row(png, page.Row(y).data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePng(const PageRaster& page, double dpi) {
    std::string out;
    if (!Encode(page, dpi, out)) {
        throw RenderError("the PNG encoder failed");
    }
    return out;
}

}  // namespace pclxl_render
