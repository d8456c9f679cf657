// What a blit asks for, sorted into what the image path can send: the ROP classes, the use of
// the ROP4's mask byte, translations, and the rectangles it may read and write.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// The ROP3 classes, tested in this order.
enum RopClass {
    kRopConstant,         // 0x00 or 0xFF: the destination filled, no image
    kRopPattern,          // uses the brush: declined
    kRopSource,           // uses the source: the image
    kRopDestinationOnly,  // neither source nor brush
};
RopClass ClassifyRop3(BYTE rop3);

// The ROP3 that leaves the destination as it is.
constexpr BYTE kRopLeaveDestination = 0xAA;
constexpr BYTE kRopSourceCopy = 0xCC;

enum MaskUse {
    kMaskOpaque,       // both bytes of the ROP4 alike: no mask
    kMaskTransparent,  // mask byte 0xAA: where the mask is clear the destination shows
    kMaskOther,        // any other mask: the image path cannot draw it
};
MaskUse MaskUseOf(ROP4 rop4);

// No translation, or one without a colour table. A table maps palette indices, which a 24-bit
// photograph does not have; a translation without one (a device whose colours are laid out
// differently) leaves the photograph to the image path.
bool HasNoTranslationTable(const XLATEOBJ* translation);

bool IsEmptyRect(const RECTL& rectangle);

// A rectangle that is not inverted (left <= right, top <= bottom).
bool IsUpright(const RECTL& rectangle);

// A non-empty rectangle lying on an engine bitmap with bits: 0 <= left < right <= width and
// 0 <= top < bottom <= height. Nothing may be read from a surface before this holds.
bool IsReadableRect(const SURFOBJ* surface, const RECTL& rectangle);

// The first byte of scan line `y` (row addresses in 64 bits: lDelta may be negative).
const BYTE* ScanLine(const SURFOBJ& surface, LONG y);

// Coordinates and sizes go to the printer as 16-bit values.
bool FitsSInt16(LONG value);
bool FitsUInt16(LONG value);

}  // namespace xlrender
