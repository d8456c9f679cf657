#include "unidrv/nup_layout.h"

#include <algorithm>

namespace sim::unidrv {
namespace {

struct Grid {
    int columns;
    int rows;
    bool rotated;
};

// Columns and rows on a portrait sheet; a landscape sheet swaps them.
Grid GridFor(int pagesPerSheet) {
    switch (pagesPerSheet) {
        case 2: return {1, 2, true};
        case 4: return {2, 2, false};
        case 6: return {2, 3, true};
        case 9: return {3, 3, false};
        case 16: return {4, 4, false};
        default: return {1, 1, false};
    }
}

}  // namespace

SheetLayout LayOutSheet(int pagesPerSheet, std::size_t sheetIndex, std::size_t totalPages,
                        LONG sheetWidth, LONG sheetHeight, LONG paperWidth, LONG paperHeight,
                        bool landscape) {
    Grid grid = GridFor(pagesPerSheet);
    if (landscape) {
        std::swap(grid.columns, grid.rows);
    }
    SheetLayout layout{{sheetWidth, sheetHeight, paperWidth, paperHeight}, grid.rotated, {}};
    const int slots = grid.columns * grid.rows;
    const WORD pageOrientation = (landscape != grid.rotated) ? DMORIENT_LANDSCAPE
                                                              : DMORIENT_PORTRAIT;
    for (int slot = 0; slot < slots; ++slot) {
        const std::size_t page = sheetIndex * static_cast<std::size_t>(slots) + slot + 1;
        if (page > totalPages) {
            break;
        }
        const int column = slot % grid.columns;
        const int row = slot / grid.columns;
        const RECTL rectangle = {sheetWidth * column / grid.columns,
                                 sheetHeight * row / grid.rows,
                                 sheetWidth * (column + 1) / grid.columns,
                                 sheetHeight * (row + 1) / grid.rows};
        layout.slots.push_back({static_cast<DWORD>(page), rectangle, pageOrientation});
    }
    return layout;
}

SheetLayoutBlock LayoutBlock(const SheetLayout& layout, std::size_t totalPages) {
    SheetLayoutBlock block{};
    block.sheetX0 = layout.frame.left;
    block.sheetY0 = layout.frame.top;
    block.sheetX1 = layout.frame.right;
    block.sheetY1 = layout.frame.bottom;
    block.lastPageNumber = static_cast<DWORD>(totalPages);
    block.scale = 1.0f;
    block.nupRotated = layout.rotated ? 1 : 0;
    for (std::size_t i = 0; i < layout.slots.size() && i < kMaxSlots; ++i) {
        const SheetSlot& slot = layout.slots[i];
        block.slots[i] = {slot.pageNumber,       slot.rectangle.left,   slot.rectangle.top,
                          slot.rectangle.right, slot.rectangle.bottom, slot.orientation};
    }
    return block;
}

}  // namespace sim::unidrv
