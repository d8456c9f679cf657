// The "@PJL USAGE" line: who printed (as checksums, never the names), through which path and
// with which features, for printers that keep usage statistics.
#pragma once

#include <cstddef>

#include "pjl/pjl_text_conversion.h"
#include "platform/win32_api.h"

namespace xlrender {

// The line is built in a buffer of this size, terminator included.
constexpr std::size_t kUsageLineBytes = 120;
// Length of the carried 8-bit text of the private devmode that the line checksums.
constexpr std::size_t kUsageDeviceTextBytes = 15;

// The settings the feature bits (field 4) are made of.
struct UsageFeatureInputs {
    DWORD printProcessorKind;   // 1 the driver's own, 2 the system's, 3 another
    DWORD nupOption;            // the private devmode's N-up code; 1 = one page per sheet
    DWORD simplexSingleLayout;  // the private devmode's one-page-per-simplex-sheet flag
    DWORD resizeToPaper;        // nonzero: scaled onto another paper size
    DWORD scalePercent;         // 100 = not scaled
    SHORT publicDuplex;         // the public devmode's dmDuplex
    SHORT privateDuplex;        // the private devmode's duplex (DMDUP_* value)
    DWORD posterPrintingEnabled;
};

DWORD UsageFeatureBits(const UsageFeatureInputs& inputs);

// The checksum of `length` bytes of `text` printed in fields 2 and 3: the plug-in's CRC-16 of
// text, 0xFFFFFFFF for an empty text or a zero sum.
using UsageChecksum = DWORD (*)(const char* text, std::size_t length);

// Everything the line is built from.
struct UsageInputs {
    const WCHAR* keyword;             // the option keyword of KZSendPJLUsageCmd
    const WCHAR* jobStorageUserName;  // the name the job is stored under
    const WCHAR* machineName;         // the job's machine name; null when the job is unknown
    const BYTE* deviceText;           // kUsageDeviceTextBytes bytes, not necessarily terminated
    DWORD featureBits;                // UsageFeatureBits
    DWORD osKind;                     // 0 unknown, 1 to 3 for Windows 5.0, 5.1, 5.2
    DWORD portKind;                   // 0 other, 1 to 5 direct ports, 6 FILE:
};

// "@PJL USAGE = " and six comma-separated fields, ended by "\r\n" (which a long keyword never
// crowds out), as a new block. No block when the keyword is missing or cannot be converted,
// when the device text cannot be upper-cased, or when memory is short.
OwnedPjlText BuildUsageCommand(const UsageInputs& inputs, UsageChecksum checksum);

}  // namespace xlrender
