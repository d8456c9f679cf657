// Operator and attribute codes of protocol classes 2.0 and 2.1 that the renderer reads but the
// spool reader's name table does not carry (the reader passes them through by number).
#pragma once

#include <cstdint>

namespace pclxl_render {

constexpr std::uint8_t kSetColorTreatment = 0x58, kExecStream = 0x5E, kRemoveStream = 0x5F,
                       kSetHalftoneMethod = 0x6D, kSetNeutralAxis = 0x7E,
                       kSetColorTrapping = 0x92, kSetAdaptiveHalftoning = 0x94;

// Line style, shapes, and text and the clip as a path.
constexpr std::uint8_t kSetLineDash = 0x70, kSetLineCap = 0x71, kSetLineJoin = 0x72,
                       kSetMiterLimit = 0x73, kArcPath = 0x91, kChord = 0x96, kChordPath = 0x97,
                       kEllipse = 0x98, kEllipsePath = 0x99, kPie = 0x9E, kPiePath = 0x9F,
                       kRoundRectangle = 0xA2, kRoundRectanglePath = 0xA3, kTextPath = 0xA9;
constexpr std::uint8_t kSetPathToClip = 0x80;

namespace attr_code {
constexpr std::uint32_t kAllObjectTypes = 0x1D, kTextObjects = 0x1E, kVectorObjects = 0x1F,
                        kRasterObjects = 0x20, kDeviceMatrix = 0x21,
                        kDitherMatrixDataType = 0x22, kDitherOrigin = 0x23,
                        kDitherMatrixSize = 0x32, kDitherMatrixDepth = 0x33,
                        kNumberOfScanLines = 0x73, kColorTreatment = 0x78, kStreamName = 0x8B,
                        kStreamDataLength = 0x8C;
// Line style and shapes.
constexpr std::uint32_t kArcDirection = 0x41, kDashOffset = 0x43, kEllipseDimension = 0x44,
                        kLineCapStyle = 0x47, kLineJoinStyle = 0x48, kMiterLength = 0x49,
                        kLineDashStyle = 0x4A, kSolidLine = 0x4E, kStartPoint = 0x4F;
}  // namespace attr_code

}  // namespace pclxl_render
