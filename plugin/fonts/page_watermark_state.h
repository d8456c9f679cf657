// Where each logical page of the sheet being printed lies, as the print processor reports it
// through the private escape 3883; read by the watermark drawing, cleared after every sheet.
#pragma once

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

}  // namespace xlrender
