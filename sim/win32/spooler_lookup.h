// How the spooler's functions find printers: names compared ignoring case, handles from
// OpenPrinterW.
#pragma once

#include <string>

#include "spooler_state.h"

namespace sim {

bool SameSpoolerName(const std::u16string& left, const char16_t* right);
// The printer an open handle names; null with ERROR_INVALID_HANDLE otherwise.
PrinterDescription* PrinterOfHandle(HANDLE handle);

}  // namespace sim
