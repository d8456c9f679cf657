#include "jpeg_decoder.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>

namespace pclxl_render {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's errors must not return to it: jump back to DecodeInto with the message.
void OnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->escape, 1);
}

// Warnings (a corrupt but decodable stream) are not fatal for a preview.
void OnMessage(j_common_ptr, int) {}

// Holds no objects with destructors between setjmp and longjmp: everything it owns is plain.
bool DecodeInto(std::span<const std::uint8_t> data, int maxWidth, int maxHeight, DecodedJpeg& out,
                ErrorManager& errors) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (static_cast<int>(info.image_width) > maxWidth ||
        static_cast<int>(info.image_height) > maxHeight) {
        std::snprintf(errors.message, sizeof errors.message,
                      "the JPEG data is %u x %u pixels, larger than the %d x %d the image has",
                      info.image_width, info.image_height, maxWidth, maxHeight);
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            out.rgb.data() + static_cast<std::size_t>(info.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

std::string DecodeJpeg(std::span<const std::uint8_t> data, int maxWidth, int maxHeight,
                       DecodedJpeg& out) {
    ErrorManager errors{};
    if (data.empty()) {
        return "the JPEG data is empty";
    }
    if (!DecodeInto(data, maxWidth, maxHeight, out, errors)) {
        return std::string("the JPEG data cannot be decoded: ") + errors.message;
    }
    return "";
}

}  // namespace pclxl_render
