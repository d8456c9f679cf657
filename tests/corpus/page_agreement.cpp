// Measures how far two renderings of one page agree, tolerating the pixel that rasterisers
// disagree on at every edge: a pixel of A agrees when some pixel of B within one pixel of it
// (its 3 x 3 neighbourhood) differs by at most a tolerance on every channel. The agreement is
// the share of agreeing pixels, taken both ways, the smaller of the two.
//
//   page_agreement A.png B.png
//
// prints the agreement in percent (gray images are read as RGB). Exit status 0, or 2 when a
// file cannot be read or the pages' sizes differ by more than a pixel.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kTolerance = 24;     // levels, on every channel
constexpr int kSizeSlack = 1;      // pixels a page may differ by on each side
constexpr int kChannels = 3;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* At(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * width + x) * kChannels];
    }
};

bool ReadPng(const char* path, Image& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path) == 0) {
        std::fprintf(stderr, "%s: %s\n", path, png.message);
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) == 0) {
        std::fprintf(stderr, "%s: %s\n", path, png.message);
        return false;
    }
    return true;
}

bool Close(const std::uint8_t* a, const std::uint8_t* b) {
    for (int c = 0; c < kChannels; ++c) {
        if (std::abs(a[c] - b[c]) > kTolerance) {
            return false;
        }
    }
    return true;
}

// The share of A's pixels (over the area both pages cover) that some neighbour in B matches.
double Matched(const Image& a, const Image& b, int width, int height) {
    std::size_t matched = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* pixel = a.At(x, y);
            bool found = Close(pixel, b.At(x, y));
            for (int ny = std::max(0, y - 1); !found && ny <= std::min(height - 1, y + 1); ++ny) {
                for (int nx = std::max(0, x - 1); !found && nx <= std::min(width - 1, x + 1);
                     ++nx) {
                    found = Close(pixel, b.At(nx, ny));
                }
            }
            matched += found ? 1 : 0;
        }
    }
    return static_cast<double>(matched) / (static_cast<double>(width) * height);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: page_agreement A.png B.png\n");
        return 2;
    }
    Image a, b;
    if (!ReadPng(argv[1], a) || !ReadPng(argv[2], b)) {
        return 2;
    }
    if (std::abs(a.width - b.width) > kSizeSlack || std::abs(a.height - b.height) > kSizeSlack) {
        std::fprintf(stderr, "the pages differ in size: %d x %d and %d x %d\n", a.width, a.height,
                     b.width, b.height);
        return 2;
    }
    const int width = std::min(a.width, b.width);
    const int height = std::min(a.height, b.height);
    const double agreement = std::min(Matched(a, b, width, height), Matched(b, a, width, height));
    std::printf("%.3f\n", 100 * agreement);
    return 0;
}
