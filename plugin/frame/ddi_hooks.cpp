// The blit hooks: photographs drawn onto the page go to the image path, which sends them as
// JPEG; everything else, and whatever the image path declines, passes straight through.
#include "frame/ddi_hooks.h"

#include <limits>

#include "frame/hook_context.h"
#include "image/blit_rules.h"
#include "image/jpeg_blit.h"
#include "image/jpeg_settings.h"
#include "image/photo_test.h"
#include "image/quarter_turn.h"

namespace xlrender {
namespace {

constexpr ROP4 kSourceCopyRop4 = 0xCCCC;

bool JpegWantedOn(DEVOBJ* device) {
    const OemPdev* pdev = OemPdevOf(device);
    const PrivateDevmode* devmode = device == nullptr ? nullptr : PrivateDevmodeOf(device);
    return pdev != nullptr && devmode != nullptr &&
           IsJpegWanted(pdev->JobSettings.JpegMode, *devmode, device->hPrinter);
}

// Whether the image path has drawn the blit. Only blits onto the device's own surface are
// looked at (a copy from the device into a bitmap is Unidrv's), and only photographs.
bool TakenOver(SURFOBJ* target, const BlitRequest& request) {
    DEVOBJ* device = DeviceOf(target);
    if (!JpegWantedOn(device) || request.source == nullptr ||
        request.source->iBitmapFormat != BMF_24BPP ||
        !IsReadableRect(request.source, request.sourceRect) ||
        !IsPhotoImage(request.source, request.sourceRect)) {
        return false;
    }
    return EmitJpegBlit(device, request, &OemPdevOf(device)->JpegReuse) == kBlitDrawn;
}

// The source rectangle of a blit that reads from `origin` as much as it writes to
// `destination`; false when it does not fit 32-bit coordinates.
bool SourceAt(const POINTL& origin, const RECTL& destination, RECTL& source) {
    const long long right = static_cast<long long>(origin.x) + destination.right - destination.left;
    const long long bottom =
        static_cast<long long>(origin.y) + destination.bottom - destination.top;
    if (right > std::numeric_limits<LONG>::max() || bottom > std::numeric_limits<LONG>::max() ||
        right < std::numeric_limits<LONG>::min() || bottom < std::numeric_limits<LONG>::min()) {
        return false;
    }
    source = {origin.x, origin.y, static_cast<LONG>(right), static_cast<LONG>(bottom)};
    return true;
}

// A blit that reads from a point: the source rectangle follows the destination's size.
bool TakenOverFromPoint(SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip,
                        XLATEOBJ* translation, const RECTL* destination, const POINTL* origin,
                        ROP4 rop4) {
    BlitRequest request{source, mask, clip, translation, {}, {}, rop4};
    if (destination == nullptr || origin == nullptr || target == nullptr) {
        return false;
    }
    request.destination = *destination;
    return SourceAt(*origin, *destination, request.sourceRect) && TakenOver(target, request);
}

bool TakenOverStretched(SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip,
                        XLATEOBJ* translation, const RECTL* destination, const RECTL* sourceRect,
                        ROP4 rop4) {
    if (destination == nullptr || sourceRect == nullptr || target == nullptr) {
        return false;
    }
    // Inverted rectangles mirror the picture, which the image path cannot: they stay as GDI
    // gave them and go to Unidrv.
    if (!IsUpright(*sourceRect)) {
        return false;
    }
    return TakenOver(target, {source, mask, clip, translation, *sourceRect, *destination, rop4});
}

}  // namespace

BOOL APIENTRY DrvCopyBits(SURFOBJ* psoDst, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo,
                          RECTL* prclDst, POINTL* pptlSrc) {
    if (TakenOverFromPoint(psoDst, psoSrc, nullptr, pco, pxlo, prclDst, pptlSrc, kSourceCopyRop4)) {
        return TRUE;
    }
    return CallUnidrv<DdiCopyBits*>(DeviceOf(psoDst, psoSrc), kHookCopyBits, psoDst, psoSrc, pco,
                                    pxlo, prclDst, pptlSrc);
}

BOOL APIENTRY DrvBitBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                        XLATEOBJ* pxlo, RECTL* prclTrg, POINTL* pptlSrc, POINTL* pptlMask,
                        BRUSHOBJ* pbo, POINTL* pptlBrush, ROP4 rop4) {
    if (TakenOverFromPoint(psoTrg, psoSrc, psoMask, pco, pxlo, prclTrg, pptlSrc, rop4)) {
        return TRUE;
    }
    return CallUnidrv<DdiBitBlt*>(DeviceOf(psoTrg, psoSrc), kHookBitBlt, psoTrg, psoSrc, psoMask,
                                  pco, pxlo, prclTrg, pptlSrc, pptlMask, pbo, pptlBrush, rop4);
}

BOOL APIENTRY DrvStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                            XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlHTOrg,
                            RECTL* prclDest, RECTL* prclSrc, POINTL* pptlMask, ULONG iMode) {
    if (TakenOverStretched(psoDest, psoSrc, psoMask, pco, pxlo, prclDest, prclSrc,
                           kSourceCopyRop4)) {
        return TRUE;
    }
    return CallUnidrv<DdiStretchBlt*>(DeviceOf(psoDest, psoSrc), kHookStretchBlt, psoDest, psoSrc,
                                      psoMask, pco, pxlo, pca, pptlHTOrg, prclDest, prclSrc,
                                      pptlMask, iMode);
}

BOOL APIENTRY DrvStretchBltROP(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                               XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlHTOrg,
                               RECTL* prclDest, RECTL* prclSrc, POINTL* pptlMask, ULONG iMode,
                               BRUSHOBJ* pbo, DWORD rop4) {
    if (TakenOverStretched(psoDest, psoSrc, psoMask, pco, pxlo, prclDest, prclSrc, rop4)) {
        return TRUE;
    }
    return CallUnidrv<DdiStretchBltROP*>(DeviceOf(psoDest, psoSrc), kHookStretchBltROP, psoDest,
                                         psoSrc, psoMask, pco, pxlo, pca, pptlHTOrg, prclDest,
                                         prclSrc, pptlMask, iMode, pbo, rop4);
}

BOOL APIENTRY DrvPlgBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMsk, CLIPOBJ* pco,
                        XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlBrushOrg, POINTFIX* pptfx,
                        RECTL* prcl, POINTL* pptl, ULONG iMode) {
    OutputDebugStringW(W("PlgBlt Entry Called"));
    const PlgBltCall call{psoTrg,       psoSrc, psoMsk, pco,  pxlo, pca,
                          pptlBrushOrg, pptfx,  prcl,   pptl, iMode};
    DEVOBJ* device = DeviceOf(psoTrg);
    if (OemPdevOf(device) == nullptr || PrivateDevmodeOf(device) == nullptr ||
        !IsQuarterTurn(call)) {
        return PassToEngine(call);
    }
    const bool photo = JpegWantedOn(device) && psoSrc->iBitmapFormat == BMF_24BPP &&
                       IsReadableRect(psoSrc, *prcl) && IsPhotoImage(psoSrc, *prcl);
    BOOL result = FALSE;
    if (!DrawQuarterTurn(device, call, photo, result)) {
        return PassToEngine(call);
    }
    OutputDebugStringW(W("PlgBlt Exit Called"));
    return result;
}

}  // namespace xlrender
