// The PJL string encodings a printer description can select (option index of the GPD feature
// KZPJLEncoding) and the character filter each of them needs.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// Option indexes of KZPJLEncoding, in the order of its keyword table.
enum PjlEncodingIndex : DWORD {
    kPjlEncodingInvalid = 0,     // "INVALID_KZENCODING"
    kPjlEncodingUtf8 = 1,        // "UTF8"
    kPjlEncoding7Bit = 2,        // "7bitEncoding"
    kPjlEncoding8Bit = 3,        // "8bitEncoding"
    kPjlEncodingUtf8Subset = 4,  // "UTF8Subset"
};

// Which characters a PJL string value may keep.
enum class PjlFilterKind {
    kSevenBit,  // printable ASCII only
    kEightBit,  // printable Latin-1
    kUtf8,      // the printer's UTF-8 repertoire
};

// The filter for an encoding index; an index outside the table is treated like index 0.
PjlFilterKind FilterForEncoding(DWORD encodingIndex);

// True for the encodings whose PJL strings are sent as UTF-8 and announced with
// "@PJL SET STRINGCODESET=UTF8".
bool UsesUtf8StringCodeSet(DWORD encodingIndex);

}  // namespace xlrender
