// Orientation decisions of the job header: the PCL XL Orientation value of each page (with the
// 180-degree turn that stapling and manual duplex need), the manual-duplex flip test and the
// content orientation line for N-up jobs.
#pragma once

#include "pjl/pjl_lines.h"
#include "platform/win32_api.h"

namespace xlrender {

// Whether the back sides of a manual-duplex job are turned: `orientation` 1 portrait, 2
// landscape; `flipSetting` is the private devmode's word at 0x728 and `simplexSingleLayout`
// its word at 0x71C.
bool ManualDuplexFlip(DWORD pagesPerSheet, DWORD orientation, DWORD flipSetting,
                      DWORD simplexSingleLayout);

struct SheetTurnInputs {
    bool manualDuplex;          // selected in the devmode or switched on through an escape
    bool staplingSelected;      // the Stapling feature has an option other than "NONE"
    DWORD privateOrientation;   // the private devmode's orientation; 2 = landscape
    DWORD pagesPerSheet;        // after EffectivePagesPerSheet
    bool duplexDialogPending;   // the manual-duplex dialog has not yet run
    DWORD orientation;          // the orientation the manual-duplex dialog works with
    DWORD flipSetting;          // the private devmode's word at 0x728
    DWORD simplexSingleLayout;  // the private devmode's word at 0x71C
};

// Whether the sheet is turned by 180 degrees: stapled landscape 2-up and 6-up jobs without
// manual duplex, or manual-duplex jobs whose flip test says so.
bool SheetTurnFlag(const SheetTurnInputs& inputs);

// The PCL XL Orientation value (0 portrait, 1 landscape, 2 reversed portrait, 3 reversed
// landscape) for the public dmOrientation; `reversed` (the private devmode's word at 0x718)
// and `turned` each turn the page, and together cancel out. False for an orientation that is
// neither portrait nor landscape.
bool OrientationAttributeValue(SHORT publicOrientation, bool reversed, bool turned, BYTE& value);

// "@PJL SET CONTENTORIENTATION=" for N-up jobs: 2-up and 6-up sheets turn the content.
// Appends nothing and returns false for an orientation that is neither portrait nor
// landscape.
bool AppendContentOrientationLine(PjlLines& lines, SHORT publicOrientation, DWORD pagesPerSheet);

}  // namespace xlrender
