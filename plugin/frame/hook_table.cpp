#include "frame/hook_table.h"

#include "frame/ddi_hooks.h"
#include "platform/function_cast.h"

namespace xlrender {

const DRVFN* HookTable() {
    static const DRVFN table[kHookCount] = {
        {INDEX_DrvCopyBits, CastFunction<PFN>(&DrvCopyBits)},
        {INDEX_DrvBitBlt, CastFunction<PFN>(&DrvBitBlt)},
        {INDEX_DrvStretchBlt, CastFunction<PFN>(&DrvStretchBlt)},
        {INDEX_DrvStretchBltROP, CastFunction<PFN>(&DrvStretchBltROP)},
        {INDEX_DrvTextOut, CastFunction<PFN>(&DrvTextOut)},
        {INDEX_DrvStartPage, CastFunction<PFN>(&DrvStartPage)},
        {INDEX_DrvSendPage, CastFunction<PFN>(&DrvSendPage)},
        {INDEX_DrvEscape, CastFunction<PFN>(&DrvEscape)},
        {INDEX_DrvStartDoc, CastFunction<PFN>(&DrvStartDoc)},
        {INDEX_DrvEndDoc, CastFunction<PFN>(&DrvEndDoc)},
        {INDEX_DrvNextBand, CastFunction<PFN>(&DrvNextBand)},
        {INDEX_DrvStartBanding, CastFunction<PFN>(&DrvStartBanding)},
        {INDEX_DrvPlgBlt, CastFunction<PFN>(&DrvPlgBlt)},
    };
    return table;
}

}  // namespace xlrender
