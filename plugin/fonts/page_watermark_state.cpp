#include "fonts/page_watermark_state.h"

#include <cstring>

namespace xlrender {

void LoadPageWatermarkState(const void* block, DWORD pagesPerSheet, PageWatermarkState& state) {
    // The sender's buffer need not be aligned for its words.
    PageLayoutBlock layout;
    std::memcpy(&layout, block, sizeof layout);
    state.SheetX0 = layout.SheetX0;
    state.SheetY0 = layout.SheetY0;
    state.SheetX1 = layout.SheetX1;
    state.SheetY1 = layout.SheetY1;
    state.LastPageNumber = layout.LastPageNumber;
    state.SheetScale = layout.SheetScale;
    state.NupRotated = layout.NupRotated;
    const DWORD slots = pagesPerSheet < kMaxPagesPerSheet ? pagesPerSheet : kMaxPagesPerSheet;
    for (DWORD i = 0; i < slots; ++i) {
        const PageLayoutSlotWords& words = layout.Slots[i];
        LogicalPageSlot& slot = state.Slots[i];
        slot.PageNumber = words.PageNumber;
        slot.PageX0 = words.PageX0;
        slot.PageY0 = words.PageY0;
        slot.PageX1 = words.PageX1;
        slot.PageY1 = words.PageY1;
        slot.PageOrientation = static_cast<WORD>(words.Orientation & 0xFFFFu);
    }
}

void ClearPageWatermarkState(PageWatermarkState& state) {
    state = PageWatermarkState{};
}

}  // namespace xlrender
