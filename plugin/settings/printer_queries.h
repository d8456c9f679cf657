// Questions to the print spooler about a printer, its driver, a job and the device's
// capabilities. Every block returned comes from the plug-in's allocator and belongs to the
// caller (FreeBlock); no block is returned with a failure.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

namespace xlrender {

// With a null `printer` the printer is opened by `printerName` for use only (opening for full
// access fails for an ordinary user) and closed again before returning.
bool GetPrinterInfo2(HANDLE printer, const WCHAR* printerName, DEVMODEW* devmode,
                     PRINTER_INFO_2W*& info);
// `size` receives the block's size, which bounds the strings inside it.
bool GetDriverInfo3(HANDLE printer, const WCHAR* printerName, DEVMODEW* devmode,
                    DRIVER_INFO_3W*& info, DWORD& size);
bool GetJobInfo2(HANDLE printer, DWORD jobId, JOB_INFO_2W*& info);

// Each name of DC_PAPERNAMES and DC_MEDIATYPENAMES takes this many units, with or without a
// terminator.
constexpr std::size_t kCapabilityNameUnits = 64;

// DC_PAPERS (WORD), DC_PAPERNAMES (64 units each), DC_MEDIATYPES (DWORD) or DC_MEDIATYPENAMES
// (64 units each): the element count and a block of count + 1 elements; -1 on failure.
int QueryCapabilityList(const WCHAR* deviceName, const WCHAR* portName, const DEVMODEW* devmode,
                        WORD capability, void*& list);

enum PortKind : DWORD {
    kPortUnknown = 0,
    kPortLpt1 = 1,
    kPortLpt2 = 2,
    kPortLpt3 = 3,
    kPortUsb = 4,
    kPortDot4 = 5,
    kPortFile = 6,
};

// The kind of the printer's port, by the first of "LPT1:", "LPT2:", "LPT3:", "USB", "DOT4",
// "FILE:" that its upper-cased port name contains.
PortKind GetPortKind(HANDLE printer);

}  // namespace xlrender
