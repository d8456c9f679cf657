#include "image/quarter_turn.h"

#include "image/blit_rules.h"

namespace xlrender {
namespace {

constexpr LONG kFixOne = 16;  // POINTFIX: 28.4 fixed point
constexpr int kFixShift = 4;
constexpr unsigned long long kLargestScanline = 0x7FFFFFFF;
// Sides whose corners still fit 28.4 fixed point.
constexpr LONG kLargestTurnedSide = 0x7FFFFFFF / kFixOne;

ULONG BitsPerPixel(ULONG format) {
    switch (format) {
        case BMF_1BPP:
            return 1;
        case BMF_4BPP:
            return 4;
        case BMF_8BPP:
            return 8;
        case BMF_16BPP:
            return 16;
        case BMF_24BPP:
            return 24;
        case BMF_32BPP:
            return 32;
        default:
            return 0;
    }
}

// Which way the source turns on the page, from where its corners land: p0 top left, p1 top
// right, p2 bottom left of the source. Mirrored and other shapes are none of these.
enum Turn { kNotAQuarterTurn, kClockwise, kCounterClockwise };

Turn TurnOf(const POINTFIX* p) {
    if (p[0].x != p[1].x || p[0].y != p[2].y) {
        return kNotAQuarterTurn;
    }
    if (p[2].x < p[0].x && p[1].y > p[0].y) {
        return kClockwise;  // the top edge runs down the right side
    }
    if (p[2].x > p[0].x && p[1].y < p[0].y) {
        return kCounterClockwise;  // the top edge runs up the left side
    }
    return kNotAQuarterTurn;
}

}  // namespace

ULONG ScanlineBytes(ULONG format, LONG width) {
    const unsigned long long bytes =
        (static_cast<unsigned long long>(width) * BitsPerPixel(format) + 31) / 32 * 4;
    return width <= 0 || bytes > kLargestScanline ? 0 : static_cast<ULONG>(bytes);
}

bool CreateTempSurface(DEVOBJ* device, LONG width, LONG height, ULONG format, TempSurface& temp) {
    temp = {nullptr, nullptr};
    const ULONG scanline = ScanlineBytes(format, width);
    if (scanline == 0 || height <= 0) {
        return false;
    }
    HBITMAP bitmap = EngCreateBitmap({width, height}, static_cast<LONG>(scanline), format,
                                     BMF_TOPDOWN | BMF_NOZEROINIT, nullptr);
    if (bitmap == nullptr) {
        return false;
    }
    temp.handle = reinterpret_cast<HSURF>(bitmap);
    if (!EngAssociateSurface(temp.handle, reinterpret_cast<HDEV>(device->hEngine), 0) ||
        (temp.surface = EngLockSurface(temp.handle)) == nullptr) {
        EngDeleteSurface(temp.handle);
        temp = {nullptr, nullptr};
        return false;
    }
    return true;
}

void DeleteTempSurface(TempSurface& temp) {
    EngUnlockSurface(temp.surface);
    EngDeleteSurface(temp.handle);
    temp = {nullptr, nullptr};
}

BOOL PassToEngine(const PlgBltCall& c) {
    return EngPlgBlt(c.target, c.source, c.mask, c.clip, c.translation, c.colorAdjustment,
                     c.brushOrigin, c.corners, c.sourceRect, c.maskOrigin, c.mode);
}

bool IsQuarterTurn(const PlgBltCall& call) {
    return call.corners != nullptr && TurnOf(call.corners) != kNotAQuarterTurn &&
           call.sourceRect != nullptr && call.mask == nullptr && call.source != nullptr &&
           call.target != nullptr && call.source->iBitmapFormat == call.target->iBitmapFormat;
}

bool DrawQuarterTurn(DEVOBJ* device, const PlgBltCall& call, bool sendAsPhoto, BOOL& result) {
    // The temporary bitmap is as large as the source rectangle, which comes from the application:
    // only a rectangle inside the source surface is turned here (its sides then fit a LONG, and
    // the bitmap is never larger than the source); anything else is left to the engine.
    if (!IsReadableRect(call.source, *call.sourceRect)) {
        return false;
    }
    const LONG width = call.sourceRect->right - call.sourceRect->left;
    const LONG height = call.sourceRect->bottom - call.sourceRect->top;
    if (width > kLargestTurnedSide || height > kLargestTurnedSide) {
        return false;
    }
    TempSurface temp{};
    if (!CreateTempSurface(device, height, width, call.source->iBitmapFormat, temp)) {
        return false;
    }
    // The turned source fills the temporary bitmap: height pixels wide, width high.
    const POINTFIX* p = call.corners;
    POINTFIX inTemp[3];
    RECTL destination;
    if (TurnOf(p) == kClockwise) {
        inTemp[0] = {kFixOne * height, 0};
        inTemp[1] = {kFixOne * height, kFixOne * width};
        inTemp[2] = {0, 0};
        destination = {p[2].x >> kFixShift, p[2].y >> kFixShift, p[1].x >> kFixShift,
                       p[1].y >> kFixShift};
    } else {
        inTemp[0] = {0, kFixOne * width};
        inTemp[1] = {0, 0};
        inTemp[2] = {kFixOne * height, kFixOne * width};
        destination = {p[1].x >> kFixShift, p[1].y >> kFixShift, p[2].x >> kFixShift,
                       p[2].y >> kFixShift};
    }
    RECTL turned = {0, 0, height, width};
    result = EngPlgBlt(temp.surface, call.source, nullptr, nullptr, nullptr, call.colorAdjustment,
                       call.brushOrigin, inTemp, call.sourceRect, call.maskOrigin, call.mode);
    if (result) {
        result = EngStretchBlt(call.target, temp.surface, nullptr, call.clip,
                               sendAsPhoto ? nullptr : call.translation, call.colorAdjustment,
                               call.brushOrigin, &destination, &turned, nullptr, call.mode);
    }
    DeleteTempSurface(temp);
    return true;
}

}  // namespace xlrender
