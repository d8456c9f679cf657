#include "fonts/watermark_slots.h"

namespace xlrender {

bool ShouldDrawWatermark(const PrivateDevmode* devmode, const PageWatermarkState& state,
                         bool journaled, DWORD slot) {
    if (devmode == nullptr || devmode->WatermarkEnabled != 1 || slot >= kMaxPagesPerSheet) {
        return false;
    }
    const LogicalPageSlot& page = state.Slots[slot];
    return page.PageOrientation != 0 && journaled && state.LastPageNumber != 0 &&
           page.PageNumber <= state.LastPageNumber;
}

WatermarkSlots SelectWatermarkSlots(const PrivateDevmode& devmode, const JobSettings& settings,
                                    const DEVMODEW* publicDevmode, const PageWatermarkState& state,
                                    bool journaled) {
    WatermarkSlots selected{};
    const DWORD pages = EffectivePagesPerSheet(devmode, settings, publicDevmode);
    for (DWORD slot = 0; slot < pages && slot < kMaxPagesPerSheet; ++slot) {
        if (ShouldDrawWatermark(&devmode, state, journaled, slot) &&
            (devmode.WatermarkFirstPageOnly == 0 || state.Slots[slot].PageNumber == 1)) {
            selected.slots[selected.count++] = slot;
        }
    }
    return selected;
}

}  // namespace xlrender
