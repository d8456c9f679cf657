// Where one compression's JPEG bytes go: a caller-owned output area of fixed size. A write that
// would not fit writes nothing and fails, so the area is never overrun.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

struct JpegSink {
    BYTE* area;
    DWORD capacity;
    DWORD length;  // bytes written so far
};

void JpegSinkReset(JpegSink& sink);
void JpegSinkAttach(JpegSink& sink, BYTE* area, DWORD capacity);
// Appends `count` bytes; false, with nothing written, when they do not fit the area.
bool JpegSinkWrite(JpegSink& sink, const BYTE* bytes, DWORD count);
DWORD JpegSinkLength(const JpegSink& sink);

}  // namespace xlrender
