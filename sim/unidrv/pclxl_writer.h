// The PCL XL that the simulated Unidrv writes on its own: the job and page framing a printer
// description asks for, and the raster it draws for the blits the plug-in declines. It is the
// host's encoder, separate from the plug-in's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sim::pclxl {

// Operators and attributes the host writes (published protocol numbers).
enum Operator : std::uint8_t {
    kBeginSession = 0x41,
    kEndSession = 0x42,
    kBeginPage = 0x43,
    kEndPage = 0x44,
    kOpenDataSource = 0x48,
    kCloseDataSource = 0x49,
    kSetBrushSource = 0x63,
    kSetColorSpace = 0x6A,
    kSetCursor = 0x6B,
    kSetPageOrigin = 0x75,
    kSetPenSource = 0x79,
    kSetRop = 0x7B,
    kRectangle = 0xA0,
    kBeginImage = 0xB0,
    kReadImage = 0xB1,
    kEndImage = 0xB2,
};

enum Attribute : std::uint8_t {
    kColorSpace = 0x03,
    kNullPen = 0x05,
    kRgbColor = 0x0B,
    kMediaSize = 0x25,
    kMediaSource = 0x26,
    kPageOrigin = 0x2A,
    kRop3 = 0x2C,
    kBoundingBox = 0x42,
    kPoint = 0x4C,
    kColorDepth = 0x62,
    kBlockHeight = 0x63,
    kColorMapping = 0x64,
    kCompressMode = 0x65,
    kDestinationSize = 0x67,
    kSourceHeight = 0x6B,
    kSourceWidth = 0x6C,
    kStartLine = 0x6D,
    kPadBytesMultiple = 0x6E,
    kDataOrg = 0x82,
    kMeasure = 0x86,
    kSourceType = 0x88,
    kUnitsPerMeasure = 0x89,
    kErrorReport = 0x8F,
};

// Appends PCL XL in the little-endian binding to a byte string.
class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}

    Writer& UByte(std::uint8_t value);
    Writer& UInt16(std::uint16_t value);
    Writer& UInt32(std::uint32_t value);
    Writer& UInt16Xy(std::uint16_t x, std::uint16_t y);
    Writer& SInt16Xy(std::int16_t x, std::int16_t y);
    Writer& SInt16Box(std::int16_t left, std::int16_t top, std::int16_t right,
                      std::int16_t bottom);
    Writer& UByteArray(std::string_view bytes);
    Writer& Attr(Attribute attribute);
    Writer& Op(Operator op);
    // An embedded-data block: its length (short or long form) and the bytes.
    Writer& Data(std::string_view bytes);

private:
    void Little(std::uint32_t value, int bytes);
    std::string& out_;
};

// The stream header of the little-endian binding, with its line end.
std::string StreamHeader();

// TIFF PackBits compression of one row.
std::string PackBits(std::string_view row);

}  // namespace sim::pclxl
