#include "settings/system_queries.h"

#include "platform/memory.h"
#include "platform/text.h"

namespace xlrender {
namespace {

constexpr const WCHAR* kWinlogonKey =
    W("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon");
constexpr DWORD kWindows5 = 5;

}  // namespace

bool ReadRegistryText(HKEY key, const WCHAR* valueName, WCHAR* text, std::size_t textUnits) {
    if (text == nullptr || textUnits == 0) {
        return false;
    }
    text[0] = 0;
    DWORD type = REG_NONE;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    // One unit more than the value holds, so that a value without its zero still ends.
    const std::size_t units = bytes / sizeof(WCHAR) + 1;
    auto* value = static_cast<WCHAR*>(AllocateZeroed(units * sizeof(WCHAR)));
    if (value == nullptr) {
        return false;
    }
    DWORD read = bytes;
    const bool fits = RegQueryValueExW(key, valueName, nullptr, &type,
                                       reinterpret_cast<BYTE*>(value), &read) == ERROR_SUCCESS &&
                      (type == REG_SZ || type == REG_EXPAND_SZ) &&
                      TextLength(value, units) < textUnits &&
                      CopyText(text, textUnits, value, units) == S_OK;
    FreeBlock(value);
    if (!fits) {
        text[0] = 0;
    }
    return fits;
}

bool GetLogonDomain(WCHAR (&domain)[kLogonDomainUnits]) {
    domain[0] = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWinlogonKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    const bool found = ReadRegistryText(key, W("DefaultDomainName"), domain, kLogonDomainUnits) ||
                       ReadRegistryText(key, W("CachePrimaryDomain"), domain, kLogonDomainUnits);
    RegCloseKey(key);
    return found;
}

OsKind GetOsKind() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version) || version.dwMajorVersion != kWindows5) {
        return kOsOther;
    }
    switch (version.dwMinorVersion) {
        case 0: return kOsVersion50;
        case 1: return kOsVersion51;
        case 2: return kOsVersion52;
        default: return kOsOther;
    }
}

}  // namespace xlrender
