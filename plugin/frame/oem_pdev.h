// The plug-in's per-device state. It comes zero-filled from the plug-in's allocator without
// construction, so it and every piece of it stay trivially copyable.
#pragma once

#include <type_traits>

#include "fonts/page_watermark_state.h"
#include "fonts/watermark_font_state.h"
#include "frame/hook_table.h"
#include "image/jpeg_reuse.h"
#include "platform/win32_api.h"
#include "settings/job_settings.h"

namespace xlrender {

// Spool data type of the current document, learnt in DrvStartDoc.
enum JobDataTypeKind : DWORD {
    kJobDataTypeUnknown = 0,
    kJobDataTypeJournaled = 1,
    kJobDataTypeRaw = 2,
};

// Colour mode of the document's first page, learnt in DrvStartPage.
enum PageColourModeKind : DWORD {
    kPageColourUnknown = 0,
    kPageColourMono = 1,
    kPageColourOther = 2,
};

constexpr int kDocNameUnits = 256;
constexpr int kJobStorageNameUnits = 16;

struct OemPdev {
    PFN UnidrvHooks[kCapturedHookCount];
    ::xlrender::PageWatermarkState PageWatermarkState;
    WatermarkFontState WatermarkFonts;
    // The public orientation of the job's pages, kept by the orientation attribute for the
    // watermark drawing.
    WORD WatermarkOrientation;
    LONG PageCount;
    DWORD JobDataType;
    DWORD JobId;
    DWORD PageColourMode;
    IPrintOemDriverUni* DriverHelper;  // the object's helper, not reference-counted here
    WCHAR JobStorageUserName[kJobStorageNameUnits];
    WCHAR JobStorageJobName[kJobStorageNameUnits];
    DWORD HoldCommandsSent;
    DWORD JobStorageDialogShown;
    DWORD DuplexDialogPending;
    WCHAR DocName[kDocNameUnits];
    ::xlrender::JobSettings JobSettings;
    // The current page's JPEG streams, kept for its later bands.
    JpegReuseCache JpegReuse;
};

static_assert(std::is_trivially_copyable_v<OemPdev>);
static_assert(std::is_standard_layout_v<OemPdev>);

}  // namespace xlrender
