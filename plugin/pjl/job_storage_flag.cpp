#include "pjl/job_storage_flag.h"

#include <cstddef>

#include "platform/memory.h"
#include "platform/text.h"

namespace xlrender {
namespace {

constexpr WCHAR kPresetKey[] = W("KZPresetRoot");
constexpr WCHAR kRestrictedUserValue[] = W("KZRestrictedUserGuid");
constexpr WCHAR kUserKeyRoot[] = W("Software\\Korvander\\");
constexpr WCHAR kShowDialogValue[] = W("ShowJobStorageDlg");
constexpr BYTE kShowDialogDefault = 1;

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"
constexpr std::size_t kGuidTextUnits = 38;
constexpr std::size_t kGuidDashPositions[] = {9, 14, 19, 24};
constexpr std::size_t kUserKeyUnits = 64;

bool IsHexDigit(WCHAR unit) {
    return (unit >= W('0') && unit <= W('9')) || (unit >= W('a') && unit <= W('f')) ||
           (unit >= W('A') && unit <= W('F'));
}

// The value becomes part of a registry path: anything but a GUID could lead elsewhere
// ("..", another "\" and key).
bool IsBracedGuid(const WCHAR* text) {
    if (TextLength(text, kGuidTextUnits + 1) != kGuidTextUnits || text[0] != W('{') ||
        text[kGuidTextUnits - 1] != W('}')) {
        return false;
    }
    for (std::size_t i = 1; i + 1 < kGuidTextUnits; ++i) {
        bool dash = false;
        for (std::size_t position : kGuidDashPositions) {
            dash = dash || i == position;
        }
        if (dash ? text[i] != W('-') : !IsHexDigit(text[i])) {
            return false;
        }
    }
    return true;
}

// "Software\Korvander\{guid}" from the printer's data.
bool UserKeyPath(HANDLE printer, WCHAR (&path)[kUserKeyUnits]) {
    // One unit more than the GUID keeps it terminated even when stored without a zero.
    WCHAR guid[kGuidTextUnits + 2] = {};
    DWORD type = REG_NONE;
    DWORD needed = 0;
    const DWORD readable = static_cast<DWORD>((kGuidTextUnits + 1) * sizeof(WCHAR));
    if (GetPrinterDataExW(printer, kPresetKey, kRestrictedUserValue, &type,
                          reinterpret_cast<BYTE*>(guid), readable, &needed) != ERROR_SUCCESS ||
        type != REG_SZ || !IsBracedGuid(guid)) {
        return false;
    }
    CopyText(path, kUserKeyUnits, kUserKeyRoot);
    return AppendText(path, kUserKeyUnits, guid) == S_OK;
}

bool FirstByteSet(HKEY key) {
    DWORD size = 0;
    if (RegQueryValueExW(key, kShowDialogValue, nullptr, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0) {
        return false;
    }
    auto* data = static_cast<BYTE*>(AllocateZeroed(size));
    if (data == nullptr) {
        return false;
    }
    const bool set =
        RegQueryValueExW(key, kShowDialogValue, nullptr, nullptr, data, &size) == ERROR_SUCCESS &&
        size > 0 && data[0] != 0;
    FreeBlock(data);
    return set;
}

}  // namespace

bool ReadShowJobStorageFlag(HANDLE printer) {
    WCHAR path[kUserKeyUnits] = {};
    if (!UserKeyPath(printer, path)) {
        return false;
    }
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                        &disposition) != ERROR_SUCCESS) {
        return false;
    }
    if (disposition == REG_CREATED_NEW_KEY ||
        RegQueryValueExW(key, kShowDialogValue, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_FILE_NOT_FOUND) {
        RegSetValueExW(key, kShowDialogValue, 0, REG_BINARY, &kShowDialogDefault,
                       sizeof kShowDialogDefault);
    }
    const bool set = FirstByteSet(key);
    RegCloseKey(key);
    return set;
}

}  // namespace xlrender
