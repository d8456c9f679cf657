// The engine functions the plug-in falls back on, recorded so tests can see what reached them.
#include "recorded_call.h"

extern "C" BOOL APIENTRY EngPlgBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMsk, CLIPOBJ* pco,
                                   XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlBrushOrg,
                                   POINTFIX* pptfx, RECTL* prcl, POINTL* pptl, ULONG iMode) {
    return sim::RecordCall<BOOL>("EngPlgBlt", psoTrg, psoSrc, psoMsk, pco, pxlo, pca, pptlBrushOrg,
                                 pptfx, prcl, pptl, iMode);
}
