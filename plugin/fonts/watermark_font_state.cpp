#include "fonts/watermark_font_state.h"

namespace xlrender {

void ForgetWatermarkFonts(WatermarkFontState& state) {
    const ULONG dpiX = state.DeviceDpiX;
    const ULONG dpiY = state.DeviceDpiY;
    state = WatermarkFontState{};
    state.DeviceDpiX = dpiX;
    state.DeviceDpiY = dpiY;
}

}  // namespace xlrender
