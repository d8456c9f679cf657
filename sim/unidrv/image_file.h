// Pictures a job places on its pages, read from PNG or JPEG files into the 24-bit surface
// layout GDI hands a driver (blue, green, red; rows padded to four bytes).
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace sim::unidrv {

struct BgrImage {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;            // bytes per row, a multiple of 4
    std::vector<std::uint8_t> pixels;  // top row first
};

class ImageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a PNG or JPEG file (chosen by its content); throws ImageFileError saying what is wrong.
BgrImage ReadImageFile(const std::filesystem::path& file);

// The surface stride of 24-bit rows.
std::size_t BgrStride(int width);

}  // namespace sim::unidrv
