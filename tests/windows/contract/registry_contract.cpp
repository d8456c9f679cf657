// The registry as the plug-in uses it: keys opened and created below HKEY_CURRENT_USER, values
// of every type it reads queried for their size, into an exact buffer, into a short one, and
// when missing. A value keeps exactly the bytes it was given, terminator or not.
#include <iterator>

#include "contract.h"

namespace {

using contract::Text;

CONTRACT_GROUP(KeysOpenAndCreate) {
    const Text key = environment.registryKey + W("\\Job Storage");
    HKEY handle = nullptr;
    CONTRACT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle),
                ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    CONTRACT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &handle, &disposition),
                ERROR_SUCCESS);
    CONTRACT_EQ(disposition, REG_CREATED_NEW_KEY);
    CONTRACT_EQ(RegCloseKey(handle), ERROR_SUCCESS);
    // Key names ignore case.
    const Text upper = environment.registryKey + W("\\JOB STORAGE");
    CONTRACT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, upper.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle, &disposition),
                ERROR_SUCCESS);
    CONTRACT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    CONTRACT_EQ(RegCloseKey(handle), ERROR_SUCCESS);
    CONTRACT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, upper.c_str(), 0, KEY_QUERY_VALUE, &handle),
                ERROR_SUCCESS);
    // A handle opened for reading cannot write.
    const BYTE one = 1;
    CONTRACT_EQ(RegSetValueExW(handle, W("Denied"), 0, REG_BINARY, &one, 1), ERROR_ACCESS_DENIED);
    CONTRACT_EQ(RegCloseKey(handle), ERROR_SUCCESS);
}

CONTRACT_GROUP(ValuesOfEveryTypeTheQueryProtocol) {
    const DWORD number = 0x12345678;
    const WCHAR domain[] = W("WORKGROUP");
    // Counted without its last unit, so the counted text is followed by a letter: Windows adds
    // a terminator the caller forgot to count only when one follows the counted bytes.
    const WCHAR longer[] = W("WORKGROUPS");
    const WCHAR path[] = W("%SystemRoot%\\x");
    const WCHAR list[] = W("a\0bc\0");
    const BYTE flag = 1;
    struct Case {
        const WCHAR* name;
        DWORD type;
        const void* bytes;
        DWORD size;
    };
    const Case cases[] = {
        {W("Domain"), REG_SZ, domain, sizeof domain},
        {W("Unterminated"), REG_SZ, longer, sizeof longer - 2 * sizeof(WCHAR)},
        {W("Expandable"), REG_EXPAND_SZ, path, sizeof path},
        {W("List"), REG_MULTI_SZ, list, sizeof list},
        {W("ShowDialog"), REG_BINARY, &flag, 1},
        {W("Empty"), REG_BINARY, &flag, 0},
        {W("Number"), REG_DWORD, &number, sizeof number},
    };
    HKEY key = nullptr;
    CONTRACT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, environment.registryKey.c_str(), 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, &key),
                ERROR_SUCCESS);
    for (const Case& c : cases) {
        const contract::CaseLabel label(std::to_string(&c - cases));
        const DWORD size = c.size;
        const std::string stored(static_cast<const char*>(c.bytes), size);
        CONTRACT_EQ(RegSetValueExW(key, c.name, 0, c.type, static_cast<const BYTE*>(c.bytes), size),
                    ERROR_SUCCESS);
        // Size only; then existence only (every out-parameter null), as the plug-in asks.
        DWORD type = REG_NONE;
        DWORD bytes = 0;
        CONTRACT_EQ(RegQueryValueExW(key, c.name, nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
        CONTRACT_EQ(type, c.type);
        CONTRACT_EQ(bytes, size);
        CONTRACT_EQ(RegQueryValueExW(key, c.name, nullptr, nullptr, nullptr, nullptr),
                    ERROR_SUCCESS);
        // The exact buffer, under the name in other case; a larger one reports the stored size.
        Text upperName(c.name);
        CharUpperBuffW(upperName.data(), static_cast<DWORD>(upperName.size()));
        BYTE data[64] = {};
        bytes = size;
        CONTRACT_EQ(RegQueryValueExW(key, upperName.c_str(), nullptr, &type, data, &bytes),
                    ERROR_SUCCESS);
        CONTRACT_BYTES(data, bytes, stored);
        bytes = sizeof data;
        CONTRACT_EQ(RegQueryValueExW(key, c.name, nullptr, nullptr, data, &bytes), ERROR_SUCCESS);
        CONTRACT_EQ(bytes, size);
        if (size > 0) {
            bytes = size - 1;
            CONTRACT_EQ(RegQueryValueExW(key, c.name, nullptr, &type, data, &bytes),
                        ERROR_MORE_DATA);
            CONTRACT_EQ(bytes, size);
        }
    }
    DWORD bytes = 0;
    CONTRACT_EQ(RegQueryValueExW(key, W("Missing"), nullptr, nullptr, nullptr, &bytes),
                ERROR_FILE_NOT_FOUND);
    BYTE data[4];
    bytes = sizeof data;
    CONTRACT_EQ(RegQueryValueExW(key, W("Missing"), nullptr, nullptr, data, &bytes),
                ERROR_FILE_NOT_FOUND);
    CONTRACT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

}  // namespace
