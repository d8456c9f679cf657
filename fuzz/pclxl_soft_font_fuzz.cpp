// Any bytes as a session of font operators: the soft-font store must answer each with "" or a
// message, never crash, never read outside what it was given, and keep within its memory bounds.
//
// The input is a list of commands, each an operation byte, a 16-bit big-endian length and that
// many bytes of argument (fewer at the end of the input):
//   0 BeginFontHeader (format, then the name)   1 ReadFontHeader (the data)   2 EndFontHeader
//   3 BeginChar (the name)   4 ReadChar (16-bit code, then the record)   5 EndChar
//   6 RemoveFont (the name)
//   7 RenderChar (name length, name, 16-bit code, four 16-bit signed matrix entries in 1/16
//     pixel per em, 16-bit device resolution)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "pclxl_render/soft_fonts.h"

namespace {

enum Operation : std::uint8_t {
    kBeginFontHeader,
    kReadFontHeader,
    kEndFontHeader,
    kBeginChar,
    kReadChar,
    kEndChar,
    kRemoveFont,
    kRenderChar,
    kOperationCount
};

constexpr std::size_t kCommandHeadSize = 3;  // operation byte and 16-bit length
constexpr double kMatrixUnit = 1.0 / 16;
// The preview's own resolution range.
constexpr double kLowestDpi = 50;
constexpr double kHighestDpi = 1200;

class Arguments {
public:
    explicit Arguments(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t Byte() { return position_ < bytes_.size() ? bytes_[position_++] : 0; }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Byte() << 8 | Byte()); }
    std::span<const std::uint8_t> Rest() { return Take(bytes_.size()); }
    std::span<const std::uint8_t> Take(std::size_t count) {
        const std::size_t start = std::min(position_, bytes_.size());
        const std::size_t taken = std::min(count, bytes_.size() - start);
        position_ = start + taken;
        return bytes_.subspan(start, taken);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

std::string Name(std::span<const std::uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

void Run(pclxl_render::SoftFontStore& store, Operation operation, Arguments& a) {
    switch (operation) {
        case kBeginFontHeader: {
            const std::uint8_t format = a.Byte();
            store.BeginFontHeader(Name(a.Rest()), format);
            break;
        }
        case kReadFontHeader:
            store.ReadFontHeader(a.Rest());
            break;
        case kEndFontHeader:
            store.EndFontHeader();
            break;
        case kBeginChar:
            store.BeginChar(Name(a.Rest()));
            break;
        case kReadChar: {
            const std::uint16_t code = a.U16();
            const auto record = a.Rest();
            store.ReadChar(code, static_cast<std::uint32_t>(record.size()), record);
            break;
        }
        case kEndChar:
            store.EndChar();
            break;
        case kRemoveFont:
            store.RemoveFont(Name(a.Rest()));
            break;
        case kRenderChar: {
            const std::string name = Name(a.Take(a.Byte()));
            const std::uint16_t code = a.U16();
            pclxl_render::CharMatrix matrix;
            for (double* entry : {&matrix.xx, &matrix.xy, &matrix.yx, &matrix.yy}) {
                *entry = static_cast<std::int16_t>(a.U16()) * kMatrixUnit;
            }
            const double dpi = std::clamp<double>(a.U16(), kLowestDpi, kHighestDpi);
            pclxl_render::GlyphBitmap glyph;
            const std::string problem = store.RenderChar(name, code, matrix, dpi, glyph);
            if (glyph.alpha.size() != static_cast<std::size_t>(glyph.width) * glyph.height ||
                (!problem.empty() && !glyph.alpha.empty())) {
                __builtin_trap();  // coverage that does not fit the glyph, or a refusal that drew
            }
            break;
        }
        case kOperationCount:
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pclxl_render::SoftFontStore store;
    for (std::size_t position = 0; position < size;) {
        Arguments command({data + position, size - position});
        const auto operation = static_cast<Operation>(command.Byte() % kOperationCount);
        const std::uint16_t length = command.U16();
        const auto argument = command.Take(length);
        Arguments arguments(argument);
        Run(store, operation, arguments);
        position += kCommandHeadSize + argument.size();
    }
    return 0;
}
