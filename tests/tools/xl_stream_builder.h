// PCL XL streams built operator by operator for the renderer's tests, and the pages they render
// to, kept as plain RGB so that tests can look at single pixels.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "pclxl_render/render_spool.h"

namespace xlrender::testing {

class XlStreamBuilder {
public:
    XlStreamBuilder() : bytes_(") HP-PCL XL;2;1;\n") {}

    XlStreamBuilder& UByte(std::uint8_t attribute, std::uint8_t value) {
        return Value(0xC0, {value}).Id(attribute);
    }
    XlStreamBuilder& UInt16(std::uint8_t attribute, std::uint16_t value) {
        return Value(0xC1, Little(value, 2)).Id(attribute);
    }
    XlStreamBuilder& Real(std::uint8_t attribute, float value) {
        return Value(0xC5, Little(std::bit_cast<std::uint32_t>(value), 4)).Id(attribute);
    }
    XlStreamBuilder& XY(std::uint8_t attribute, std::int16_t x, std::int16_t y) {
        return Value(0xD3, Join(Little(x, 2), Little(y, 2))).Id(attribute);
    }
    XlStreamBuilder& RealXY(std::uint8_t attribute, float x, float y) {
        return Value(0xD5, Join(Little(std::bit_cast<std::uint32_t>(x), 4),
                                Little(std::bit_cast<std::uint32_t>(y), 4)))
            .Id(attribute);
    }
    XlStreamBuilder& Box(std::uint8_t attribute, std::int16_t x0, std::int16_t y0, std::int16_t x1,
                         std::int16_t y1) {
        return Value(0xE3,
                     Join(Join(Little(x0, 2), Little(y0, 2)), Join(Little(x1, 2), Little(y1, 2))))
            .Id(attribute);
    }
    XlStreamBuilder& Bytes(std::uint8_t attribute, const std::vector<std::uint8_t>& values) {
        std::vector<std::uint8_t> counted = {0xC1};
        const auto count = Little(values.size(), 2);
        counted.insert(counted.end(), count.begin(), count.end());
        counted.insert(counted.end(), values.begin(), values.end());
        return Value(0xC8, counted).Id(attribute);
    }
    XlStreamBuilder& Text(std::uint8_t attribute, const std::string& text) {
        return Bytes(attribute, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    XlStreamBuilder& Op(std::uint8_t code) {
        bytes_ += static_cast<char>(code);
        return *this;
    }
    XlStreamBuilder& Data(const std::vector<std::uint8_t>& data) {
        bytes_ += '\xFA';
        Append(Little(data.size(), 4));
        Append(data);
        return *this;
    }

    // A session in pixels of `dpi` and a custom page of `width` x `height` pixels.
    XlStreamBuilder& Page(int width, int height, double dpi, std::uint8_t orientation = 0) {
        XY(0x89, static_cast<std::int16_t>(dpi), static_cast<std::int16_t>(dpi))
            .UByte(0x86, 0)
            .Op(0x41);
        return UByte(0x28, orientation)
            .RealXY(0x2F, static_cast<float>(width / dpi), static_cast<float>(height / dpi))
            .UByte(0x30, 0)
            .Op(0x43);
    }
    XlStreamBuilder& EndPage() { return Op(0x44).Op(0x42); }

    const std::string& Stream() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

private:
    static std::vector<std::uint8_t> Little(std::uint64_t value, int size) {
        std::vector<std::uint8_t> out;
        for (int i = 0; i < size; ++i) {
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
        return out;
    }
    static std::vector<std::uint8_t> Join(std::vector<std::uint8_t> a,
                                          const std::vector<std::uint8_t>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    void Append(const std::vector<std::uint8_t>& data) {
        bytes_.append(reinterpret_cast<const char*>(data.data()), data.size());
    }
    XlStreamBuilder& Value(std::uint8_t tag, const std::vector<std::uint8_t>& payload) {
        bytes_ += static_cast<char>(tag);
        Append(payload);
        return *this;
    }
    XlStreamBuilder& Id(std::uint8_t attribute) {
        bytes_ += '\xF8';
        bytes_ += static_cast<char>(attribute);
        return *this;
    }

    std::string bytes_;
};

struct RenderedRgb {
    int width = 0;
    int height = 0;
    int copies = 0;
    std::vector<std::uint8_t> rgb;

    // The pixel's colour as 0xRRGGBB.
    std::uint32_t At(int x, int y) const {
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
    }
};

struct RenderRun {
    pclxl_render::RenderOutcome outcome;
    std::vector<RenderedRgb> pages;
};

inline RenderRun RenderStream(const std::string& stream, double dpi = 100, int firstPage = 1,
                              int lastPage = 1 << 30,
                              std::function<void(const std::string&)> warn = {}) {
    RenderRun run;
    pclxl_render::RenderOptions options;
    options.dpi = dpi;
    options.firstPage = firstPage;
    options.lastPage = lastPage;
    options.warn = std::move(warn);
    run.outcome = pclxl_render::RenderSpool(
        {reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size()}, options,
        [&run](const pclxl_render::RenderedPage& page) {
            RenderedRgb copy{page.raster.Width(), page.raster.Height(), page.copies, {}};
            for (int y = 0; y < page.raster.Height(); ++y) {
                const auto row = page.raster.Row(y);
                copy.rgb.insert(copy.rgb.end(), row.begin(), row.end());
            }
            run.pages.push_back(std::move(copy));
        });
    return run;
}

}  // namespace xlrender::testing
