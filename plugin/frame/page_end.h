// The end of every sheet, which the plug-in writes itself: the sheet's watermark state is
// finished and the PCL XL page end goes out, with the copy count when the job is spooled as
// journaled data through the driver's own print processor.
#pragma once

#include "frame/oem_pdev.h"
#include "platform/win32_api.h"
#include "settings/feature_option.h"
#include "settings/private_devmode.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

// The copies the printer makes of each page: 1 unless Unidrv does not make them itself (no
// mopier, or a mopier with uncollated copies), then Unidrv's copy count, kept within 1-65535.
// A failed query keeps 1.
WORD PageCopyCount(const FeatureSource& source, const DEVMODEW* publicDevmode);

// Sheets of a job spooled through the driver's own print processor, unless the spool data is
// raw, carry N-up watermarks and an explicit copy count.
bool IsPerSheetJob(const PrivateDevmode& devmode, const OemPdev& pdev);

// Finishes the watermarks of a per-sheet job's sheet: with watermarks on, each logical page the
// sheet layout names gets its watermark, and the layout is cleared for the next sheet.
void FinishSheetWatermarks(XlStream* stream, const DEVOBJ& device, OemPdev& pdev,
                           const PrivateDevmode& devmode);

}  // namespace xlrender
