// Decodes a JPEG stream into red, green, blue bytes, to check what the image path compressed.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32_api.h"
// After the platform headers: jpeglib.h defines TRUE and FALSE unless they exist.
#include <jpeglib.h>

namespace xlrender::testing {

struct DecodedJpeg {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows top first
    unsigned char At(int x, int y, int channel) const { return rgb[(y * width + x) * 3 + channel]; }
};

inline DecodedJpeg DecodeJpeg(const std::string& stream) {
    jpeg_decompress_struct library{};
    jpeg_error_mgr errors{};
    library.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&library);
    jpeg_mem_src(&library, reinterpret_cast<const unsigned char*>(stream.data()),
                 static_cast<unsigned long>(stream.size()));
    jpeg_read_header(&library, TRUE);
    library.out_color_space = JCS_RGB;
    jpeg_start_decompress(&library);
    DecodedJpeg image;
    image.width = static_cast<int>(library.output_width);
    image.height = static_cast<int>(library.output_height);
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    while (library.output_scanline < library.output_height) {
        JSAMPROW row = image.rgb.data() + library.output_scanline * image.width * 3;
        jpeg_read_scanlines(&library, &row, 1);
    }
    jpeg_finish_decompress(&library);
    jpeg_destroy_decompress(&library);
    return image;
}

}  // namespace xlrender::testing
