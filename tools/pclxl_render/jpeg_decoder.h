// Decodes one baseline JPEG stream (as a ReadImage block carries it) to 8-bit RGB with libjpeg.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pclxl_render {

struct DecodedJpeg {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height pixels
};

// Decodes `data`, refusing images wider than `maxWidth` or taller than `maxHeight`. Answers ""
// or what is wrong with the data.
std::string DecodeJpeg(std::span<const std::uint8_t> data, int maxWidth, int maxHeight,
                       DecodedJpeg& out);

}  // namespace pclxl_render
