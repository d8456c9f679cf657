// Operator and attribute codes of protocol classes 2.0 and 2.1 that the renderer reads but the
// spool reader's name table does not carry.
#pragma once

#include <cstdint>

namespace pclxl_render {

constexpr std::uint8_t kSetColorTreatment = 0x58, kExecStream = 0x5E, kRemoveStream = 0x5F,
                       kSetHalftoneMethod = 0x6D, kSetNeutralAxis = 0x7E,
                       kSetColorTrapping = 0x92, kSetAdaptiveHalftoning = 0x94;

namespace attr_code {
constexpr std::uint32_t kAllObjectTypes = 0x1D, kTextObjects = 0x1E, kVectorObjects = 0x1F,
                        kRasterObjects = 0x20, kDeviceMatrix = 0x21,
                        kDitherMatrixDataType = 0x22, kDitherOrigin = 0x23,
                        kDitherMatrixSize = 0x32, kDitherMatrixDepth = 0x33,
                        kNumberOfScanLines = 0x73, kColorTreatment = 0x78, kStreamName = 0x8B,
                        kStreamDataLength = 0x8C;
}  // namespace attr_code

}  // namespace pclxl_render
