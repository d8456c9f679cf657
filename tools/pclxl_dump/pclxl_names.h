// Published PCL XL names: operators, attributes, data types and the enumerations a reader
// shows by name. Codes without a published name have none here (null).
#pragma once

#include <cstddef>
#include <cstdint>

namespace pclxl_dump {

const char* OperatorName(std::uint8_t code);
const char* AttributeName(std::uint32_t id);
// The name of `value` of attribute `id` when that attribute is an enumeration.
const char* EnumerationName(std::uint32_t attribute, std::uint32_t value);

// How a data type tag lays out its value.
enum class ElementKind { kUnsigned, kSigned, kReal };
struct DataType {
    const char* name;       // "uint16_xy"
    ElementKind kind;
    std::size_t elementSize;  // bytes per element: 1, 2 or 4
    std::size_t elements;     // 1 scalar, 2 xy, 4 box; 0 for an array (count follows)
};
// The layout of tag `tag`, or null when it is not a data type tag.
const DataType* FindDataType(std::uint8_t tag);

// Published operator codes and attribute ids the reader gives meaning to.
namespace op {
constexpr std::uint8_t kBeginSession = 0x41, kEndSession = 0x42, kBeginPage = 0x43,
                       kEndPage = 0x44, kOpenDataSource = 0x48, kBeginFontHeader = 0x4F,
                       kReadFontHeader = 0x50, kEndFontHeader = 0x51, kBeginChar = 0x52,
                       kReadChar = 0x53, kEndChar = 0x54, kBeginStream = 0x5B,
                       kReadStream = 0x5C, kEndStream = 0x5D, kPopGS = 0x60, kPushGS = 0x61,
                       kBezierPath = 0x93, kBezierRelPath = 0x95, kLinePath = 0x9B,
                       kLineRelPath = 0x9D, kBeginImage = 0xB0, kReadImage = 0xB1,
                       kEndImage = 0xB2, kBeginRastPattern = 0xB3, kReadRastPattern = 0xB4,
                       kEndRastPattern = 0xB5, kBeginScan = 0xB6, kEndScan = 0xB8,
                       kScanLineRel = 0xB9, kPassThrough = 0xBF;
}  // namespace op
namespace attr {
constexpr std::uint32_t kNumberOfPoints = 0x4D, kPointType = 0x50, kCompressMode = 0x65,
                        kDataOrg = 0x82;
}  // namespace attr

// Tags outside the value types.
constexpr std::uint8_t kTagAttribute8 = 0xF8, kTagAttribute16 = 0xF9, kTagDataLength32 = 0xFA,
                       kTagDataLength8 = 0xFB, kTagCountUByte = 0xC0, kTagCountUInt16 = 0xC1;

}  // namespace pclxl_dump
