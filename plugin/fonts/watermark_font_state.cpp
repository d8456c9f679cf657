#include "fonts/watermark_font_state.h"

namespace xlrender {

void ForgetWatermarkFonts(WatermarkFontState& state) {
    const ULONG dpiY = state.DeviceDpiY;
    state = WatermarkFontState{};
    state.DeviceDpiY = dpiY;
}

}  // namespace xlrender
