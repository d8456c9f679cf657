// The pieces both soft-font forms send inside BeginFontHeader / EndFontHeader: the 8-byte font
// descriptor, header bytes in blocks the 16-bit block length can carry, and the null segment
// that ends the header.
#pragma once

#include "platform/win32_api.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

// Font scaling technologies of the descriptor.
constexpr BYTE kScalingTrueType = 1;
constexpr BYTE kScalingBitmap = 0xFE;

// Sends `length` header bytes, as several ReadFontHeader blocks when they do not fit one.
void SendFontHeaderBytes(XlStream* stream, const BYTE* bytes, DWORD length);

// Sends the descriptor of a portrait font of format 0.
void SendFontDescriptor(XlStream* stream, WORD symbolMapping, BYTE scaling, WORD charCount);

// Sends the null segment that ends the header.
void SendNullSegment(XlStream* stream);

}  // namespace xlrender
