// Where each logical page of the sheet being printed lies, as the print processor reports it
// through the private escape 3883; read by the watermark drawing, cleared after every sheet.
#pragma once

#include <cstddef>
#include <type_traits>

#include "platform/win32_api.h"

namespace xlrender {

constexpr int kMaxPagesPerSheet = 16;

struct LogicalPageSlot {
    DWORD PageNumber;
    LONG PageX0;
    LONG PageY0;
    LONG PageX1;
    LONG PageY1;
    WORD PageOrientation;  // a DMORIENT_* value; 0 marks an empty slot
};

struct PageWatermarkState {
    LONG SheetX0;
    LONG SheetY0;
    LONG SheetX1;
    LONG SheetY1;
    DWORD LastPageNumber;
    FLOAT SheetScale;  // carried with the sheet but not read by the watermark code
    DWORD NupRotated;
    LogicalPageSlot Slots[kMaxPagesPerSheet];
};

static_assert(std::is_trivially_copyable_v<PageWatermarkState>);

// The block the print processor sends with escape 3883: ten header words, then six words per
// logical page. Unused header words belong to the sender.
struct PageLayoutSlotWords {
    DWORD PageNumber;
    LONG PageX0;
    LONG PageY0;
    LONG PageX1;
    LONG PageY1;
    DWORD Orientation;  // the low 16 bits hold the DMORIENT_* value
};

struct PageLayoutBlock {
    LONG SheetX0;
    LONG SheetY0;
    LONG SheetX1;
    LONG SheetY1;
    DWORD Unused4;
    DWORD LastPageNumber;
    DWORD Unused6[2];
    FLOAT SheetScale;
    DWORD NupRotated;
    PageLayoutSlotWords Slots[kMaxPagesPerSheet];
};

constexpr DWORD kPageLayoutBlockBytes = 424;
static_assert(sizeof(PageLayoutSlotWords) == 24);
static_assert(sizeof(PageLayoutBlock) == kPageLayoutBlockBytes);
static_assert(std::is_standard_layout_v<PageLayoutBlock>);
static_assert(std::is_trivially_copyable_v<PageLayoutBlock>);
static_assert(offsetof(PageLayoutBlock, SheetX0) == 0 && offsetof(PageLayoutBlock, SheetY0) == 4);
static_assert(offsetof(PageLayoutBlock, SheetX1) == 8 && offsetof(PageLayoutBlock, SheetY1) == 12);
static_assert(offsetof(PageLayoutBlock, Unused4) == 16);
static_assert(offsetof(PageLayoutBlock, LastPageNumber) == 20);
static_assert(offsetof(PageLayoutBlock, Unused6) == 24);
static_assert(offsetof(PageLayoutBlock, SheetScale) == 32);
static_assert(offsetof(PageLayoutBlock, NupRotated) == 36);
static_assert(offsetof(PageLayoutBlock, Slots) == 40);
static_assert(offsetof(PageLayoutSlotWords, PageNumber) == 0);
static_assert(offsetof(PageLayoutSlotWords, PageX0) == 4 &&
              offsetof(PageLayoutSlotWords, PageY0) == 8);
static_assert(offsetof(PageLayoutSlotWords, PageX1) == 12);
static_assert(offsetof(PageLayoutSlotWords, PageY1) == 16);
static_assert(offsetof(PageLayoutSlotWords, Orientation) == 20);

// Takes the header values and the first `pagesPerSheet` slots (at most 16) of a 424-byte block;
// the other slots keep what they held.
void LoadPageWatermarkState(const void* block, DWORD pagesPerSheet, PageWatermarkState& state);

// Empties the state once a sheet is finished: every header value and every slot to zero.
void ClearPageWatermarkState(PageWatermarkState& state);

}  // namespace xlrender
