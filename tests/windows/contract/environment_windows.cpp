// The Windows side of the contract: the companion module built beside this program, and an
// empty registry key (removed with whatever an earlier run left in it, then created).
#include "contract.h"

namespace contract {

Environment PrepareEnvironment(const char* textFontFile, const char* collectionFontFile) {
    WCHAR program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    const Text directory = Text(program, length).substr(0, Text(program, length).rfind(L'\\') + 1);
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    Environment environment{wine ? Platform::kWine : Platform::kWindows,
                            directory + L"contract_companion.dll",
                            directory + L"no_such_module.dll",
                            L"Software\\Xlrender Contract",
                            textFontFile,
                            collectionFontFile};
    RegDeleteTreeW(HKEY_CURRENT_USER, environment.registryKey.c_str());
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, environment.registryKey.c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    return environment;
}

}  // namespace contract
