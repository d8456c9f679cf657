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

// Published operator codes and attribute ids the reader and the renderer give meaning to.
namespace op {
constexpr std::uint8_t kBeginSession = 0x41, kEndSession = 0x42, kBeginPage = 0x43, kEndPage = 0x44,
                       kComment = 0x47, kOpenDataSource = 0x48, kCloseDataSource = 0x49,
                       kBeginFontHeader = 0x4F, kReadFontHeader = 0x50, kEndFontHeader = 0x51,
                       kBeginChar = 0x52, kReadChar = 0x53, kEndChar = 0x54, kRemoveFont = 0x55,
                       kBeginStream = 0x5B, kReadStream = 0x5C, kEndStream = 0x5D, kPopGS = 0x60,
                       kPushGS = 0x61, kSetClipReplace = 0x62, kSetBrushSource = 0x63,
                       kSetCharAngle = 0x64, kSetCharScale = 0x65, kSetCharShear = 0x66,
                       kSetClipIntersect = 0x67, kSetClipRectangle = 0x68, kSetClipToPage = 0x69,
                       kSetColorSpace = 0x6A, kSetCursor = 0x6B, kSetCursorRel = 0x6C,
                       kSetFillMode = 0x6E, kSetFont = 0x6F, kSetPageDefaultCTM = 0x74,
                       kSetPageOrigin = 0x75, kSetPageRotation = 0x76, kSetPageScale = 0x77,
                       kSetPaintTxMode = 0x78, kSetPenSource = 0x79, kSetPenWidth = 0x7A,
                       kSetROP = 0x7B, kSetSourceTxMode = 0x7C, kSetCharBoldValue = 0x7D,
                       kSetClipMode = 0x7F, kCloseSubPath = 0x84, kNewPath = 0x85,
                       kPaintPath = 0x86, kBezierPath = 0x93, kBezierRelPath = 0x95,
                       kLinePath = 0x9B, kLineRelPath = 0x9D, kRectangle = 0xA0,
                       kRectanglePath = 0xA1, kText = 0xA8, kBeginImage = 0xB0, kReadImage = 0xB1,
                       kEndImage = 0xB2, kBeginRastPattern = 0xB3, kReadRastPattern = 0xB4,
                       kEndRastPattern = 0xB5, kBeginScan = 0xB6, kEndScan = 0xB8,
                       kScanLineRel = 0xB9, kPassThrough = 0xBF;
}  // namespace op
namespace attr {
constexpr std::uint32_t kPaletteDepth = 0x02, kColorSpace = 0x03, kNullBrush = 0x04,
                        kNullPen = 0x05, kPaletteData = 0x06, kPatternSelectID = 0x08,
                        kGrayLevel = 0x09, kRGBColor = 0x0B, kPatternOrigin = 0x0C,
                        kNewDestinationSize = 0x0D, kPrimaryArray = 0x0E, kPrimaryDepth = 0x0F,
                        kMediaSize = 0x25, kOrientation = 0x28, kPageAngle = 0x29,
                        kPageOrigin = 0x2A, kPageScale = 0x2B, kROP3 = 0x2C, kTxMode = 0x2D,
                        kCustomMediaSize = 0x2F, kCustomMediaSizeUnits = 0x30, kPageCopies = 0x31,
                        kBoundingBox = 0x42, kEndPoint = 0x45, kFillMode = 0x46, kPenWidth = 0x4B,
                        kPoint = 0x4C, kNumberOfPoints = 0x4D, kPointType = 0x50,
                        kControlPoint1 = 0x51, kControlPoint2 = 0x52, kClipRegion = 0x53,
                        kClipMode = 0x54, kColorDepth = 0x62, kBlockHeight = 0x63,
                        kColorMapping = 0x64, kCompressMode = 0x65, kDestinationSize = 0x67,
                        kPatternPersistence = 0x68, kPatternDefineID = 0x69, kSourceHeight = 0x6B,
                        kSourceWidth = 0x6C, kStartLine = 0x6D, kPadBytesMultiple = 0x6E,
                        kDataOrg = 0x82, kMeasure = 0x86, kUnitsPerMeasure = 0x89,
                        kCharAngle = 0xA1, kCharCode = 0xA2, kCharDataSize = 0xA3,
                        kCharScale = 0xA4, kCharShear = 0xA5, kCharSize = 0xA6, kFontName = 0xA8,
                        kFontFormat = 0xA9, kSymbolSet = 0xAA, kTextData = 0xAB,
                        kXSpacingData = 0xAF, kYSpacingData = 0xB0, kCharBoldValue = 0xB1;
}  // namespace attr

// Tags outside the value types.
constexpr std::uint8_t kTagAttribute8 = 0xF8, kTagAttribute16 = 0xF9, kTagDataLength32 = 0xFA,
                       kTagDataLength8 = 0xFB, kTagCountUByte = 0xC0, kTagCountUInt16 = 0xC1;

}  // namespace pclxl_dump
