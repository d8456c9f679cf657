// Drawing one logical page's watermark into the page's PCL XL stream, with its soft font sent
// first when the printer does not have it yet.
#pragma once

#include "fonts/page_watermark_state.h"
#include "fonts/watermark_font_state.h"
#include "platform/win32_api.h"
#include "settings/job_settings.h"
#include "settings/private_devmode.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

struct WatermarkRequest {
    const PrivateDevmode& devmode;
    const JobSettings& settings;
    const DEVMODEW* publicDevmode;
    const PageWatermarkState& sheet;
    WatermarkFontState& fonts;
};

// True when the watermark of `slot` was written. Nothing of the watermark itself is written
// when the layout, the font or the text cannot give one; fonts already sent stay valid.
bool DrawWatermark(XlStream* stream, const WatermarkRequest& request, DWORD slot);

}  // namespace xlrender
