#include "image/jpeg_sink.h"

#include <cstring>

namespace xlrender {

void JpegSinkReset(JpegSink& sink) {
    sink = {nullptr, 0, 0};
}

void JpegSinkAttach(JpegSink& sink, BYTE* area, DWORD capacity) {
    sink = {area, area == nullptr ? 0 : capacity, 0};
}

bool JpegSinkWrite(JpegSink& sink, const BYTE* bytes, DWORD count) {
    if (count > sink.capacity - sink.length) {
        return false;
    }
    if (count != 0) {
        std::memcpy(sink.area + sink.length, bytes, count);
        sink.length += count;
    }
    return true;
}

DWORD JpegSinkLength(const JpegSink& sink) {
    return sink.length;
}

}  // namespace xlrender
