#include "unidrv/pclxl_writer.h"

namespace sim::pclxl {
namespace {

enum Tag : std::uint8_t {
    kUByteTag = 0xC0,
    kUInt16Tag = 0xC1,
    kUInt32Tag = 0xC2,
    kUByteArrayTag = 0xC8,
    kUInt16XyTag = 0xD1,
    kSInt16XyTag = 0xD3,
    kSInt16BoxTag = 0xE3,
    kAttributeTag = 0xF8,
    kLongDataTag = 0xFA,
    kShortDataTag = 0xFB,
};

constexpr std::size_t kMaxPackBitsRun = 128;

}  // namespace

void Writer::Little(std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out_ += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

Writer& Writer::UByte(std::uint8_t value) {
    out_ += static_cast<char>(kUByteTag);
    Little(value, 1);
    return *this;
}

Writer& Writer::UInt16(std::uint16_t value) {
    out_ += static_cast<char>(kUInt16Tag);
    Little(value, 2);
    return *this;
}

Writer& Writer::UInt32(std::uint32_t value) {
    out_ += static_cast<char>(kUInt32Tag);
    Little(value, 4);
    return *this;
}

Writer& Writer::UInt16Xy(std::uint16_t x, std::uint16_t y) {
    out_ += static_cast<char>(kUInt16XyTag);
    Little(x, 2);
    Little(y, 2);
    return *this;
}

Writer& Writer::SInt16Xy(std::int16_t x, std::int16_t y) {
    out_ += static_cast<char>(kSInt16XyTag);
    Little(static_cast<std::uint16_t>(x), 2);
    Little(static_cast<std::uint16_t>(y), 2);
    return *this;
}

Writer& Writer::SInt16Box(std::int16_t left, std::int16_t top, std::int16_t right,
                          std::int16_t bottom) {
    out_ += static_cast<char>(kSInt16BoxTag);
    for (const std::int16_t value : {left, top, right, bottom}) {
        Little(static_cast<std::uint16_t>(value), 2);
    }
    return *this;
}

Writer& Writer::UByteArray(std::string_view bytes) {
    out_ += static_cast<char>(kUByteArrayTag);
    UInt16(static_cast<std::uint16_t>(bytes.size()));
    out_ += bytes;
    return *this;
}

Writer& Writer::Attr(Attribute attribute) {
    out_ += static_cast<char>(kAttributeTag);
    Little(attribute, 1);
    return *this;
}

Writer& Writer::Op(Operator op) {
    Little(op, 1);
    return *this;
}

Writer& Writer::Data(std::string_view bytes) {
    if (bytes.size() <= 0xFF) {
        out_ += static_cast<char>(kShortDataTag);
        Little(static_cast<std::uint32_t>(bytes.size()), 1);
    } else {
        out_ += static_cast<char>(kLongDataTag);
        Little(static_cast<std::uint32_t>(bytes.size()), 4);
    }
    out_ += bytes;
    return *this;
}

std::string StreamHeader() { return ") HP-PCL XL;2;1;Comment xlrender simulated Unidrv\n"; }

std::string PackBits(std::string_view row) {
    std::string packed;
    std::size_t i = 0;
    while (i < row.size()) {
        std::size_t run = 1;
        while (i + run < row.size() && run < kMaxPackBitsRun && row[i + run] == row[i]) {
            ++run;
        }
        if (run >= 2) {
            packed += static_cast<char>(static_cast<std::int8_t>(1 - static_cast<int>(run)));
            packed += row[i];
            i += run;
            continue;
        }
        // A literal stretch ends where a run of two or more equal bytes starts.
        std::size_t literal = 1;
        while (i + literal < row.size() && literal < kMaxPackBitsRun &&
               !(i + literal + 1 < row.size() && row[i + literal] == row[i + literal + 1])) {
            ++literal;
        }
        packed += static_cast<char>(literal - 1);
        packed.append(row.substr(i, literal));
        i += literal;
    }
    return packed;
}

}  // namespace sim::pclxl
