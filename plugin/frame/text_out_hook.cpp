// Text as black: coloured text drawn without an opaque background or extra rectangles is
// printed black, so that it stays sharp on monochrome-rendered colour pages. White text keeps
// its colour, as it is usually a knock-out over a dark background.
#include "frame/ddi_hooks.h"
#include "frame/hook_context.h"
#include "settings/private_devmode.h"

namespace xlrender {
namespace {

constexpr ULONG kSolidWhite = 0x00FFFFFF;
constexpr ULONG kSolidBlack = 0x00000000;

}  // namespace

BOOL APIENTRY DrvTextOut(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo, CLIPOBJ* pco, RECTL* prclExtra,
                         RECTL* prclOpaque, BRUSHOBJ* pboFore, BRUSHOBJ* pboOpaque, POINTL* pptlOrg,
                         MIX mix) {
    DEVOBJ* device = DeviceOf(pso);
    const OemPdev* pdev = OemPdevOf(device);
    if (PrivateDevmodeOf(device) != nullptr && pdev != nullptr &&
        pdev->JobSettings.TextAsBlackEnabled == 1 && prclOpaque == nullptr &&
        prclExtra == nullptr && pboFore != nullptr && pboFore->iSolidColor != kSolidWhite) {
        pboFore->iSolidColor = kSolidBlack;
    }
    return CallUnidrv<DdiTextOut*>(device, kHookTextOut, pso, pstro, pfo, pco, prclExtra,
                                   prclOpaque, pboFore, pboOpaque, pptlOrg, mix);
}

}  // namespace xlrender
