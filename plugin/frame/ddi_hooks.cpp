// The blit hooks: until the image path takes blits over, each passes straight through.
#include "frame/ddi_hooks.h"

#include "frame/hook_context.h"

namespace xlrender {

BOOL APIENTRY DrvCopyBits(SURFOBJ* psoDst, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo,
                          RECTL* prclDst, POINTL* pptlSrc) {
    return CallUnidrv<DdiCopyBits*>(DeviceOf(psoDst, psoSrc), kHookCopyBits, psoDst, psoSrc,
                                        pco, pxlo, prclDst, pptlSrc);
}

BOOL APIENTRY DrvBitBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                        XLATEOBJ* pxlo, RECTL* prclTrg, POINTL* pptlSrc, POINTL* pptlMask,
                        BRUSHOBJ* pbo, POINTL* pptlBrush, ROP4 rop4) {
    return CallUnidrv<DdiBitBlt*>(DeviceOf(psoTrg, psoSrc), kHookBitBlt, psoTrg, psoSrc,
                                      psoMask, pco, pxlo, prclTrg, pptlSrc, pptlMask, pbo,
                                      pptlBrush, rop4);
}

BOOL APIENTRY DrvStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                            XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlHTOrg,
                            RECTL* prclDest, RECTL* prclSrc, POINTL* pptlMask, ULONG iMode) {
    return CallUnidrv<DdiStretchBlt*>(DeviceOf(psoDest, psoSrc), kHookStretchBlt, psoDest,
                                          psoSrc, psoMask, pco, pxlo, pca, pptlHTOrg, prclDest,
                                          prclSrc, pptlMask, iMode);
}

BOOL APIENTRY DrvStretchBltROP(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask,
                               CLIPOBJ* pco, XLATEOBJ* pxlo, COLORADJUSTMENT* pca,
                               POINTL* pptlHTOrg, RECTL* prclDest, RECTL* prclSrc,
                               POINTL* pptlMask, ULONG iMode, BRUSHOBJ* pbo, DWORD rop4) {
    return CallUnidrv<DdiStretchBltROP*>(DeviceOf(psoDest, psoSrc), kHookStretchBltROP,
                                             psoDest, psoSrc, psoMask, pco, pxlo, pca,
                                             pptlHTOrg, prclDest, prclSrc, pptlMask, iMode, pbo,
                                             rop4);
}

BOOL APIENTRY DrvPlgBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMsk, CLIPOBJ* pco,
                        XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlBrushOrg,
                        POINTFIX* pptfx, RECTL* prcl, POINTL* pptl, ULONG iMode) {
    return EngPlgBlt(psoTrg, psoSrc, psoMsk, pco, pxlo, pca, pptlBrushOrg, pptfx, prcl, pptl,
                     iMode);
}

}  // namespace xlrender
