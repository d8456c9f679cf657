// Which logical pages of a finished sheet get a watermark.
#pragma once

#include "fonts/page_watermark_state.h"
#include "platform/win32_api.h"
#include "settings/job_settings.h"
#include "settings/private_devmode.h"

namespace xlrender {

// True when watermarks are on, the slot holds a page (non-zero orientation), the job is
// spooled as journaled data (`journaled`), the sheet names its last page number and the slot's
// page number does not exceed it. A null devmode or a slot beyond 16 answers false.
bool ShouldDrawWatermark(const PrivateDevmode* devmode, const PageWatermarkState& state,
                         bool journaled, DWORD slot);

// The slots of one sheet that get a watermark, in page order.
struct WatermarkSlots {
    DWORD count;
    DWORD slots[kMaxPagesPerSheet];

    const DWORD* begin() const { return slots; }
    const DWORD* end() const { return slots + count; }
};

// Visits the effective pages per sheet and keeps those for which ShouldDrawWatermark holds and,
// when the watermark is for the first page only, whose page number is 1.
WatermarkSlots SelectWatermarkSlots(const PrivateDevmode& devmode, const JobSettings& settings,
                                    const DEVMODEW* publicDevmode, const PageWatermarkState& state,
                                    bool journaled);

}  // namespace xlrender
