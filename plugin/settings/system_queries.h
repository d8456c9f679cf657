// Questions to the registry and the operating system.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

namespace xlrender {

// Reads a string value (REG_SZ or REG_EXPAND_SZ) into `text` of `textUnits` units, terminated.
// False when the value is missing, of another type, or does not fit with its terminator; a
// value stored without a terminating zero is read within its own size.
bool ReadRegistryText(HKEY key, const WCHAR* valueName, WCHAR* text, std::size_t textUnits);

// The domain the user logged on to: 256 bytes of UTF-16.
constexpr std::size_t kLogonDomainUnits = 256 / sizeof(WCHAR);
bool GetLogonDomain(WCHAR (&domain)[kLogonDomainUnits]);

enum OsKind : DWORD {
    kOsOther = 0,
    kOsVersion50 = 1,
    kOsVersion51 = 2,
    kOsVersion52 = 3,
};
OsKind GetOsKind();

}  // namespace xlrender
