// One rectangle of a 24-bit engine surface as a baseline JFIF JPEG stream in memory: quality
// 95, no subsampling, the library's standard tables, one scan.
#pragma once

#include "image/jpeg_sink.h"
#include "platform/win32_api.h"

namespace xlrender {

// Compresses `rect` (already checked to lie on the surface) into the sink's area; true when a
// complete JPEG stream is there. The colour conversion is the plug-in's own (see
// ycbcr_conversion.h), and pixels are read blue, green, red in either row order.
bool CompressJpegRect(JpegSink* sink, const RECTL* rect, const SURFOBJ* surface);

}  // namespace xlrender
