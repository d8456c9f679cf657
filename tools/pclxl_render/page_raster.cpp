#include "page_raster.h"

#include <string>

#include "render_error.h"

namespace pclxl_render {

constexpr std::uint8_t kWhite = 0xFF;
constexpr std::size_t kMegabyte = std::size_t{1} << 20;

PageRaster::PageRaster(int width, int height) : width_(width), height_(height) {
    const double bytes = static_cast<double>(width) * height * kBytesPerPixel;
    if (width <= 0 || height <= 0 || bytes > static_cast<double>(kMaxPageBytes)) {
        throw RenderError("a page of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels needs more than the " +
                          std::to_string(kMaxPageBytes / kMegabyte) +
                          " MB a page may take; choose a lower resolution");
    }
    pixels_.assign(static_cast<std::size_t>(bytes), kWhite);
}

}  // namespace pclxl_render
