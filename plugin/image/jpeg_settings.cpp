#include "image/jpeg_settings.h"

#include "settings/printer_queries.h"

namespace xlrender {

bool IsDirectPort(HANDLE printer) {
    const PortKind kind = GetPortKind(printer);
    return kind >= kPortLpt1 && kind <= kPortDot4;
}

bool IsJpegWanted(DWORD jpegMode, const PrivateDevmode& devmode, HANDLE printer) {
    if (devmode.Grayscale != 0) {
        return false;
    }
    return jpegMode == kJpegMaximum || (jpegMode == kJpegAuto && IsDirectPort(printer));
}

}  // namespace xlrender
