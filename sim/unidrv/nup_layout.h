// What the driver's own print processor does for N-up jobs: where each logical page of a sheet
// goes, and the block it hands the rendering plug-in through the private escape 3883 before
// the sheet ends.
#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

#include "platform/win32_api.h"

namespace sim::unidrv {

constexpr ULONG kSheetLayoutEscape = 3883;
constexpr int kMaxSlots = 16;

struct SheetSlot {
    DWORD pageNumber;  // 1-based across the job
    RECTL rectangle;   // on the sheet, device pixels of the printable area
    WORD orientation;  // DMORIENT_*; 0 for an empty slot
};

struct SheetLayout {
    // The sheet frame the watermark is laid out by: the printable extent (left, top) and the
    // paper extent (right, bottom), device pixels. The paper extent gives the sheet's diagonal,
    // the two together the margins by which the slots (printable-area coordinates) move onto
    // the paper and the share of the sheet one logical page's text takes.
    RECTL frame;
    bool rotated;                  // 2-up and 6-up turn the logical pages
    std::vector<SheetSlot> slots;  // one per logical page of the sheet
};

// The slots of sheet `sheetIndex` when `pagesPerSheet` logical pages share each sheet of a
// `totalPages`-page job, over a printable area of `sheetWidth` x `sheetHeight` on a paper of
// `paperWidth` x `paperHeight`. Supported counts: 1, 2, 4, 6, 9 and 16.
SheetLayout LayOutSheet(int pagesPerSheet, std::size_t sheetIndex, std::size_t totalPages,
                        LONG sheetWidth, LONG sheetHeight, LONG paperWidth, LONG paperHeight,
                        bool landscape);

// The 424-byte block of escape 3883: ten header words, then sixteen slots of six words.
struct SheetLayoutBlock {
    LONG sheetX0;
    LONG sheetY0;
    LONG sheetX1;
    LONG sheetY1;
    DWORD reserved4;
    DWORD lastPageNumber;
    DWORD reserved6;
    DWORD reserved7;
    FLOAT scale;
    DWORD nupRotated;
    struct Slot {
        DWORD pageNumber;
        LONG x0;
        LONG y0;
        LONG x1;
        LONG y1;
        DWORD orientation;  // low 16 bits
    } slots[kMaxSlots];
};
static_assert(sizeof(SheetLayoutBlock) == 424);
static_assert(offsetof(SheetLayoutBlock, lastPageNumber) == 20);
static_assert(offsetof(SheetLayoutBlock, scale) == 32);
static_assert(offsetof(SheetLayoutBlock, slots) == 40);
static_assert(sizeof(SheetLayoutBlock::Slot) == 24);
static_assert(std::is_trivially_copyable_v<SheetLayoutBlock>);

SheetLayoutBlock LayoutBlock(const SheetLayout& layout, std::size_t totalPages);

}  // namespace sim::unidrv
