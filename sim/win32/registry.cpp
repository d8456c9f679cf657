// The registry over the world's RegistryState. Values keep exactly the bytes they were given,
// so a string can lack its terminating zero as it can on Windows.
#include <algorithm>
#include <cstring>
#include <string>

#include "world.h"

namespace sim {

std::u16string RegistryName(const std::u16string& name) {
    std::u16string upper = name;
    for (char16_t& unit : upper) {
        if (unit >= u'a' && unit <= u'z') {
            unit = static_cast<char16_t>(unit - 32);
        }
    }
    return upper;
}

void RegistryState::SetValue(HKEY root, const std::u16string& path, const std::u16string& name,
                             DWORD type, std::vector<BYTE> data) {
    RegistryValue& value = keys[{root, RegistryName(path)}].values[RegistryName(name)];
    value.type = type;
    value.data = std::move(data);
}

void RegistryState::SetString(HKEY root, const std::u16string& path, const std::u16string& name,
                              const std::u16string& text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(char16_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    SetValue(root, path, name, REG_SZ, std::move(bytes));
}

}  // namespace sim

namespace {

constexpr LSTATUS kSuccess = ERROR_SUCCESS;

sim::RegistryState& Registry() { return sim::TheWorld().registry; }

bool IsRoot(HKEY key) { return key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER; }

// The root and upper-cased path `subKey` names under `key`, or false for an invalid handle.
bool Resolve(HKEY key, LPCWSTR subKey, HKEY& root, std::u16string& path) {
    if (IsRoot(key)) {
        root = key;
        path.clear();
    } else {
        const auto found = Registry().openHandles.find(key);
        if (found == Registry().openHandles.end()) {
            return false;
        }
        root = found->second.root;
        path = found->second.path;
    }
    if (subKey != nullptr && subKey[0] != 0) {
        if (!path.empty()) {
            path += u'\\';
        }
        path += sim::RegistryName(subKey);
    }
    return true;
}

// Only an administrator may write below HKEY_LOCAL_MACHINE; a key's own denied rights hold
// for everybody.
bool Allowed(HKEY root, const std::u16string& path, REGSAM access) {
    constexpr REGSAM kWriteRights =
        KEY_SET_VALUE | KEY_CREATE_SUB_KEY | WRITE_DAC | WRITE_OWNER | DELETE;
    const auto denied = Registry().deniedRights.find({root, path});
    if (denied != Registry().deniedRights.end() && (access & denied->second) != 0) {
        return false;
    }
    return root != HKEY_LOCAL_MACHINE || (access & kWriteRights) == 0 ||
           sim::TheWorld().spooler.userIsAdministrator;
}

HKEY NewHandle(HKEY root, const std::u16string& path, REGSAM access) {
    HKEY handle = reinterpret_cast<HKEY>(Registry().nextHandle++);
    Registry().openHandles[handle] = sim::OpenRegistryKey{root, path, access};
    return handle;
}

const sim::OpenRegistryKey* OpenKey(HKEY key) {
    const auto found = Registry().openHandles.find(key);
    return found == Registry().openHandles.end() ? nullptr : &found->second;
}

}  // namespace

extern "C" {

LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired,
                             PHKEY phkResult) {
    if (phkResult == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    HKEY root;
    std::u16string path;
    if (!Resolve(hKey, lpSubKey, root, path)) {
        return ERROR_INVALID_HANDLE;
    }
    if (Registry().keys.count({root, path}) == 0) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (!Allowed(root, path, samDesired)) {
        return ERROR_ACCESS_DENIED;
    }
    *phkResult = NewHandle(root, path, samDesired);
    return kSuccess;
}

LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD /*Reserved*/, LPWSTR /*lpClass*/,
                               DWORD /*dwOptions*/, REGSAM samDesired,
                               const LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/,
                               PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (phkResult == nullptr || lpSubKey == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    HKEY root;
    std::u16string path;
    if (!Resolve(hKey, lpSubKey, root, path)) {
        return ERROR_INVALID_HANDLE;
    }
    const bool exists = Registry().keys.count({root, path}) != 0;
    if (!Allowed(root, path, exists ? samDesired : samDesired | KEY_CREATE_SUB_KEY)) {
        return ERROR_ACCESS_DENIED;
    }
    Registry().keys[{root, path}];
    if (lpdwDisposition != nullptr) {
        *lpdwDisposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    }
    *phkResult = NewHandle(root, path, samDesired);
    return kSuccess;
}

LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD /*lpReserved*/,
                                LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    const sim::OpenRegistryKey* key = OpenKey(hKey);
    if (key == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if ((key->access & KEY_QUERY_VALUE) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    if (lpData != nullptr && lpcbData == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto& values = Registry().keys[{key->root, key->path}].values;
    const auto found = values.find(sim::RegistryName(lpValueName == nullptr ? u"" : lpValueName));
    if (found == values.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    const sim::RegistryValue& value = found->second;
    if (lpType != nullptr) {
        *lpType = value.type;
    }
    const DWORD size = static_cast<DWORD>(value.data.size());
    if (lpcbData == nullptr) {
        return kSuccess;
    }
    if (lpData == nullptr) {
        *lpcbData = size;
        return kSuccess;
    }
    if (*lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    std::copy(value.data.begin(), value.data.end(), lpData);
    *lpcbData = size;
    return kSuccess;
}

LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD /*Reserved*/, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
    const sim::OpenRegistryKey* key = OpenKey(hKey);
    if (key == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if ((key->access & KEY_SET_VALUE) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    if (lpData == nullptr && cbData != 0) {
        return ERROR_INVALID_PARAMETER;
    }
    std::vector<BYTE> data(lpData, lpData + cbData);
    Registry().SetValue(key->root, key->path, lpValueName == nullptr ? u"" : lpValueName, dwType,
                        std::move(data));
    return kSuccess;
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
    if (IsRoot(hKey)) {
        return kSuccess;
    }
    return Registry().openHandles.erase(hKey) == 0 ? ERROR_INVALID_HANDLE : kSuccess;
}

}  // extern "C"
