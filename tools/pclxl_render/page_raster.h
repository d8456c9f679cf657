// The page being drawn: 8-bit RGB pixels, row by row, white when the page starts. Its size is
// bounded, so that no page size or resolution a stream asks for can exhaust memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pclxl_render {

constexpr int kBytesPerPixel = 3;
// The largest page buffer drawn: A3 at 1200 dpi fits.
constexpr std::size_t kMaxPageBytes = std::size_t{1} << 30;

class PageRaster {
public:
    // A white page; throws RenderError when it would be larger than kMaxPageBytes.
    PageRaster(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::span<std::uint8_t> Row(int y) {
        return std::span(pixels_).subspan(RowOffset(y), RowBytes());
    }
    std::span<const std::uint8_t> Row(int y) const {
        return std::span(pixels_).subspan(RowOffset(y), RowBytes());
    }
    std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * kBytesPerPixel; }

private:
    std::size_t RowOffset(int y) const { return static_cast<std::size_t>(y) * RowBytes(); }

    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace pclxl_render
