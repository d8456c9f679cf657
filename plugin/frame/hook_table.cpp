#include "frame/hook_table.h"

#include <type_traits>

#include "frame/ddi_hooks.h"
#include "platform/function_cast.h"

namespace xlrender {

// Unidrv calls each hook through its DDI function type: the hook must have exactly that type,
// calling convention included, or a 32-bit call would unbalance the stack.
static_assert(std::is_same_v<decltype(DrvCopyBits), DdiCopyBits>);
static_assert(std::is_same_v<decltype(DrvBitBlt), DdiBitBlt>);
static_assert(std::is_same_v<decltype(DrvStretchBlt), DdiStretchBlt>);
static_assert(std::is_same_v<decltype(DrvStretchBltROP), DdiStretchBltROP>);
static_assert(std::is_same_v<decltype(DrvTextOut), DdiTextOut>);
static_assert(std::is_same_v<decltype(DrvStartPage), DdiStartPage>);
static_assert(std::is_same_v<decltype(DrvSendPage), DdiSendPage>);
static_assert(std::is_same_v<decltype(DrvEscape), DdiEscape>);
static_assert(std::is_same_v<decltype(DrvStartDoc), DdiStartDoc>);
static_assert(std::is_same_v<decltype(DrvEndDoc), DdiEndDoc>);
static_assert(std::is_same_v<decltype(DrvNextBand), DdiNextBand>);
static_assert(std::is_same_v<decltype(DrvStartBanding), DdiStartBanding>);
static_assert(std::is_same_v<decltype(DrvPlgBlt), DdiPlgBlt>);

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
