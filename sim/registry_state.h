// The simulated registry: two roots of keys holding typed values, stored as raw bytes (a string
// value may lack its terminating zero, as on Windows), and the key handles the plug-in holds.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace sim {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Key paths and value names are compared without case; they are stored upper-cased.
struct RegistryKey {
    std::map<std::u16string, RegistryValue> values;
};

struct OpenRegistryKey {
    HKEY root;
    std::u16string path;
    REGSAM access;
};

struct RegistryState {
    // (root, upper-cased path) → key.
    std::map<std::pair<HKEY, std::u16string>, RegistryKey> keys;
    std::map<HKEY, OpenRegistryKey> openHandles;
    std::size_t nextHandle = 0x2000;
    // Rights the user lacks on a key, by (root, upper-cased path): opening or creating the key
    // with any of them is refused, as a key's access list refuses a restricted user.
    std::map<std::pair<HKEY, std::u16string>, REGSAM> deniedRights;

    // Test set-up: stores a value, creating its key.
    void SetValue(HKEY root, const std::u16string& path, const std::u16string& name, DWORD type,
                  std::vector<BYTE> data);
    void SetString(HKEY root, const std::u16string& path, const std::u16string& name,
                   const std::u16string& text);
};

std::u16string RegistryName(const std::u16string& name);

}  // namespace sim
