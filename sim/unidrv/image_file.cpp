#include "unidrv/image_file.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <memory>

#include <jpeglib.h>
#include <png.h>

namespace sim::unidrv {
namespace {

constexpr int kMaxImageSide = 30000;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kJpegSignature[2] = {0xFF, 0xD8};

void CheckSize(int width, int height, const std::filesystem::path& file) {
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
        throw ImageFileError(file.string() + ": image size " + std::to_string(width) + " x " +
                             std::to_string(height) + " is not supported");
    }
}

BgrImage ReadPng(const std::filesystem::path& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) {
        throw ImageFileError(file.string() + ": not a readable PNG file (" + image.message + ")");
    }
    BgrImage result;
    result.width = static_cast<int>(image.width);
    result.height = static_cast<int>(image.height);
    try {
        CheckSize(result.width, result.height, file);
    } catch (...) {
        png_image_free(&image);
        throw;
    }
    image.format = PNG_FORMAT_BGR;
    result.stride = BgrStride(result.width);
    result.pixels.resize(result.stride * static_cast<std::size_t>(result.height));
    // Transparent pixels are composed over white paper.
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&image, &white, result.pixels.data(),
                               static_cast<png_int_32>(result.stride), nullptr)) {
        const std::string message = image.message;
        png_image_free(&image);
        throw ImageFileError(file.string() + ": corrupt PNG data (" + message + ")");
    }
    return result;
}

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->escape, 1);
}

// Decodes into `result`; returns false with `manager.message` set when libjpeg gives up.
bool DecodeJpeg(std::FILE* input, JpegErrorManager& manager, BgrImage& result,
                std::vector<std::uint8_t>& row) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = JpegErrorExit;
    if (setjmp(manager.escape) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, input);
    jpeg_read_header(&info, TRUE);
    // The size the header claims is checked before decoding starts: for a progressive file
    // libjpeg sets aside the coefficients of the whole image when it starts, gigabytes for a
    // claim of a few bytes. Unscaled, the output has the image's size.
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxImageSide ||
        info.image_height > kMaxImageSide) {
        std::snprintf(manager.message, sizeof manager.message, "image size %u x %u",
                      info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    result.width = static_cast<int>(info.output_width);
    result.height = static_cast<int>(info.output_height);
    result.stride = BgrStride(result.width);
    result.pixels.assign(result.stride * static_cast<std::size_t>(result.height), 0);
    row.assign(static_cast<std::size_t>(result.width) * 3, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const std::size_t y = info.output_scanline;
        jpeg_read_scanlines(&info, rows, 1);
        std::uint8_t* out = result.pixels.data() + y * result.stride;
        for (int x = 0; x < result.width; ++x) {
            out[3 * x] = row[3 * x + 2];
            out[3 * x + 1] = row[3 * x + 1];
            out[3 * x + 2] = row[3 * x];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

BgrImage ReadJpeg(const std::filesystem::path& file) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> input(std::fopen(file.c_str(), "rb"),
                                                         std::fclose);
    if (!input) {
        throw ImageFileError(file.string() + ": cannot open the file");
    }
    JpegErrorManager manager{};
    BgrImage result;
    std::vector<std::uint8_t> row;
    if (!DecodeJpeg(input.get(), manager, result, row)) {
        throw ImageFileError(file.string() + ": corrupt JPEG data (" + manager.message + ")");
    }
    return result;
}

}  // namespace

std::size_t BgrStride(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

BgrImage ReadImageFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw ImageFileError(file.string() + ": cannot open the file");
    }
    std::uint8_t head[8] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    const std::streamsize read = in.gcount();
    if (read >= 8 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), head)) {
        return ReadPng(file);
    }
    if (read >= 2 && head[0] == kJpegSignature[0] && head[1] == kJpegSignature[1]) {
        return ReadJpeg(file);
    }
    throw ImageFileError(file.string() + ": neither a PNG nor a JPEG file");
}

}  // namespace sim::unidrv
