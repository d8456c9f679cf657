#include "image/blit_rules.h"

#include <cstddef>

namespace xlrender {
namespace {

constexpr BYTE kRopBlackness = 0x00;
constexpr BYTE kRopWhiteness = 0xFF;
// Bits of a ROP3 that differ between source 0 and source 1 (for either brush).
constexpr BYTE kSourceBits = 0x33;
constexpr int kSourceShift = 2;
constexpr int kPatternShift = 4;
constexpr BYTE kNibble = 0x0F;
constexpr int kMaskShift = 8;
constexpr LONG kSInt16Min = -32768;
constexpr LONG kSInt16Max = 32767;
constexpr LONG kUInt16Max = 65535;

}  // namespace

RopClass ClassifyRop3(BYTE rop3) {
    if (rop3 == kRopBlackness || rop3 == kRopWhiteness) {
        return kRopConstant;
    }
    if ((rop3 >> kPatternShift) != (rop3 & kNibble)) {
        return kRopPattern;
    }
    if ((((rop3 >> kSourceShift) ^ rop3) & kSourceBits) != 0) {
        return kRopSource;
    }
    return kRopDestinationOnly;
}

MaskUse MaskUseOf(ROP4 rop4) {
    const auto mask = static_cast<BYTE>(rop4 >> kMaskShift);
    if (mask == static_cast<BYTE>(rop4)) {
        return kMaskOpaque;
    }
    return mask == kRopLeaveDestination ? kMaskTransparent : kMaskOther;
}

bool HasNoTranslationTable(const XLATEOBJ* translation) {
    return translation == nullptr || translation->cEntries == 0;
}

bool IsEmptyRect(const RECTL& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

bool IsUpright(const RECTL& r) {
    return r.left <= r.right && r.top <= r.bottom;
}

bool IsReadableRect(const SURFOBJ* surface, const RECTL& r) {
    return surface != nullptr && surface->iType == STYPE_BITMAP && surface->pvScan0 != nullptr &&
           0 <= r.left && r.left < r.right && r.right <= surface->sizlBitmap.cx && 0 <= r.top &&
           r.top < r.bottom && r.bottom <= surface->sizlBitmap.cy;
}

const BYTE* ScanLine(const SURFOBJ& surface, LONG y) {
    return static_cast<const BYTE*>(surface.pvScan0) +
           static_cast<std::ptrdiff_t>(y) * static_cast<std::ptrdiff_t>(surface.lDelta);
}

bool FitsSInt16(LONG value) {
    return value >= kSInt16Min && value <= kSInt16Max;
}

bool FitsUInt16(LONG value) {
    return value >= 0 && value <= kUInt16Max;
}

}  // namespace xlrender
