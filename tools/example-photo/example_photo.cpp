// xlrender-example-photo WIDTH HEIGHT OUT.jpg: draws a landscape with smooth skies, a sun, hills
// with fine texture and noise (what photographs look like to a printer driver) and writes it
// as a baseline JPEG. The same arguments always give the same picture.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

constexpr int kQuality = 90;
constexpr int kMaxSide = 20000;

// A repeatable pseudo-random value in [0, 1) for a lattice point.
double Hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFFFF) / static_cast<double>(0x1000000);
}

double SmoothNoise(double x, double y, int seed) {
    const int xi = static_cast<int>(std::floor(x));
    const int yi = static_cast<int>(std::floor(y));
    const double fx = x - xi;
    const double fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top = Hash(xi, yi, seed) * (1 - sx) + Hash(xi + 1, yi, seed) * sx;
    const double bottom = Hash(xi, yi + 1, seed) * (1 - sx) + Hash(xi + 1, yi + 1, seed) * sx;
    return top * (1 - sy) + bottom * sy;
}

double Fractal(double x, double y, int seed) {
    double sum = 0;
    double amplitude = 0.5;
    for (int octave = 0; octave < 5; ++octave) {
        sum += amplitude * SmoothNoise(x, y, seed + octave);
        x *= 2;
        y *= 2;
        amplitude /= 2;
    }
    return sum;
}

std::uint8_t Clamp(double value) {
    return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

void Pixel(int x, int y, int width, int height, std::uint8_t* rgb) {
    const double u = static_cast<double>(x) / width;
    const double v = static_cast<double>(y) / height;
    const double ridge = 0.45 + 0.15 * Fractal(u * 3, 0.5, 11) - 0.1 * std::sin(u * 5);
    const double meadow = 0.7 + 0.05 * Fractal(u * 6, 1.5, 23);
    const double grain = (Hash(x, y, 5) - 0.5) * 12;
    double r;
    double g;
    double b;
    if (v < ridge) {
        const double sun = std::hypot(u - 0.75, v - 0.2);
        const double glow = std::exp(-sun * 18) * 200;
        const double cloud = std::pow(Fractal(u * 4, v * 8, 3), 2) * 120;
        r = 90 + 110 * v + glow + cloud;
        g = 140 + 80 * v + glow * 0.9 + cloud;
        b = 220 + 20 * v + glow * 0.4 + cloud;
    } else if (v < meadow) {
        const double shade = Fractal(u * 20, v * 20, 41);
        r = 70 + 60 * shade;
        g = 80 + 50 * shade;
        b = 95 + 40 * shade;
    } else {
        const double blades = Fractal(u * 80, v * 30, 61);
        r = 40 + 70 * blades;
        g = 110 + 100 * blades;
        b = 30 + 40 * blades;
    }
    rgb[0] = Clamp(r + grain);
    rgb[1] = Clamp(g + grain);
    rgb[2] = Clamp(b + grain);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT OUT.jpg\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        std::fprintf(stderr, "%s: width and height must be 1 to %d\n", argv[0], kMaxSide);
        return 2;
    }
    std::FILE* out = std::fopen(argv[3], "wb");
    if (out == nullptr) {
        std::perror(argv[3]);
        return 1;
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Pixel(x, y, width, height, &row[static_cast<std::size_t>(x) * 3]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0 ? 0 : 1;
}
