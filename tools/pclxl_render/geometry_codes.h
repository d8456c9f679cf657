// Operator codes and attribute ids of the line style, shape and text path operators, which
// only the renderer gives meaning to (the reader passes them through by number).
#pragma once

#include <cstdint>

namespace pclxl_render::geometry {

namespace op {
constexpr std::uint8_t kSetLineDash = 0x70, kSetLineCap = 0x71, kSetLineJoin = 0x72,
                       kSetMiterLimit = 0x73, kArcPath = 0x91, kChord = 0x96, kChordPath = 0x97,
                       kEllipse = 0x98, kEllipsePath = 0x99, kPie = 0x9E, kPiePath = 0x9F,
                       kRoundRectangle = 0xA2, kRoundRectanglePath = 0xA3, kTextPath = 0xA9;
}  // namespace op

namespace attr {
constexpr std::uint32_t kArcDirection = 0x41, kDashOffset = 0x43, kEllipseDimension = 0x44,
                        kLineCapStyle = 0x47, kLineJoinStyle = 0x48, kMiterLength = 0x49,
                        kLineDashStyle = 0x4A, kSolidLine = 0x4E, kStartPoint = 0x4F;
}  // namespace attr

}  // namespace pclxl_render::geometry
