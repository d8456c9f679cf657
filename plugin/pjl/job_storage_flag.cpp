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

// The longest name a registry key may have.
constexpr std::size_t kKeyNameUnits = 255;
constexpr std::size_t kUserKeyUnits = sizeof kUserKeyRoot / sizeof(WCHAR) + kKeyNameUnits;

// The value becomes the last part of a registry path: it must name one key below the root and
// no other ("\" or "/" would reach further down, ".." back up).
bool IsOneKeyName(const WCHAR* text) {
    const std::size_t length = TextLength(text, kKeyNameUnits + 1);
    if (length == 0 || length > kKeyNameUnits) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == W('\\') || text[i] == W('/') ||
            (text[i] == W('.') && i + 1 < length && text[i + 1] == W('.'))) {
            return false;
        }
    }
    return true;
}

// "Software\Korvander\" and the printer's key name.
bool UserKeyPath(HANDLE printer, WCHAR (&path)[kUserKeyUnits]) {
    // One unit more than the longest name keeps it terminated even when stored without a zero.
    WCHAR name[kKeyNameUnits + 2] = {};
    DWORD type = REG_NONE;
    DWORD needed = 0;
    const DWORD readable = static_cast<DWORD>((kKeyNameUnits + 1) * sizeof(WCHAR));
    if (GetPrinterDataExW(printer, kPresetKey, kRestrictedUserValue, &type,
                          reinterpret_cast<BYTE*>(name), readable, &needed) != ERROR_SUCCESS ||
        type != REG_SZ || !IsOneKeyName(name)) {
        return false;
    }
    CopyText(path, kUserKeyUnits, kUserKeyRoot);
    return AppendText(path, kUserKeyUnits, name) == S_OK;
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
