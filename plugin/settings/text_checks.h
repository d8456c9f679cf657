// Small text and byte helpers the job commands share.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

namespace xlrender {

constexpr std::size_t kFileNameUnits = 256;

// The last component of `path` (after its last "\"), at most 255 units, upper-cased.
void UpperFileName(const WCHAR* path, WCHAR (&name)[kFileNameUnits]);
// The same, keeping a bounded copy of the path as well; both buffers are cleared first, so a
// missing path leaves both empty.
void CopyPathAndUpperFileName(const WCHAR* source, WCHAR (&path)[kFileNameUnits],
                              WCHAR (&name)[kFileNameUnits]);

// 1 when any unit of the text is 0x80 or above, else 0.
DWORD HasNonAsciiText(const WCHAR* text);

// CRC-16/ARC (reflected polynomial 0xA001, initial 0, no final inversion) over the first
// `length` bytes; 0xFFFFFFFF instead of a zero result or for an empty text.
DWORD TextCrc16(const char* text, std::size_t length);

// Reads a little-endian 32-bit value and advances the cursor by 4.
DWORD ReadLe32(const BYTE*& cursor);

}  // namespace xlrender
