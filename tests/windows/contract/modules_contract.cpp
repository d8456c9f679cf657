// Companion modules and versions: loading a module by full path and finding its entry, its
// version resource, and the operating system's version.
#include <cstring>

#include "contract.h"

namespace {

CONTRACT_GROUP(LoadLibraryAndEntries) {
    HMODULE module = LoadLibraryW(environment.companionPath.c_str());
    CONTRACT_CHECK(module != nullptr);
    CONTRACT_CHECK(LoadLibraryW(environment.companionPath.c_str()) == module);
    CONTRACT_CHECK(GetProcAddress(module, contract::kCompanionEntry) != nullptr);
    SetLastError(ERROR_SUCCESS);
    CONTRACT_CHECK(GetProcAddress(module, "NoSuchEntry") == nullptr);
    CONTRACT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    CONTRACT_EQ(FreeLibrary(module), TRUE);
    CONTRACT_EQ(FreeLibrary(module), TRUE);
    SetLastError(ERROR_SUCCESS);
    CONTRACT_CHECK(LoadLibraryW(environment.missingModulePath.c_str()) == nullptr);
    CONTRACT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

CONTRACT_GROUP(VersionResourceOfAFile) {
    const WCHAR* path = environment.companionPath.c_str();
    DWORD handle = 1;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    CONTRACT_CHECK(size >= sizeof(VS_FIXEDFILEINFO));
    CONTRACT_EQ(handle, 0);
    std::string block(size, '\0');
    CONTRACT_EQ(GetFileVersionInfoW(path, 0, size, block.data()), TRUE);
    void* value = nullptr;
    UINT length = 0;
    CONTRACT_EQ(VerQueryValueW(block.data(), W("\\"), &value, &length), TRUE);
    CONTRACT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    if (value != nullptr && length == sizeof(VS_FIXEDFILEINFO)) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, value, sizeof info);
        CONTRACT_EQ(info.dwSignature, VS_FFI_SIGNATURE);
        const WORD* v = contract::kCompanionVersion;
        CONTRACT_EQ(info.dwFileVersionMS, DWORD{v[0]} << 16 | v[1]);
        CONTRACT_EQ(info.dwFileVersionLS, DWORD{v[2]} << 16 | v[3]);
    }
    // A buffer too small gets the resource cut to its size, not refused, and nothing beyond.
    std::string cut(size, '\x5A');
    CONTRACT_EQ(GetFileVersionInfoW(path, 0, 8, cut.data()), TRUE);
    CONTRACT_BYTES(cut.data(), 8, block.substr(0, 8));
    CONTRACT_EQ(cut.find_first_not_of('\x5A', 8), std::string::npos);

    SetLastError(ERROR_SUCCESS);
    CONTRACT_EQ(GetFileVersionInfoSizeW(environment.missingModulePath.c_str(), &handle), 0);
    CONTRACT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

CONTRACT_GROUP(OperatingSystemVersion) {
    OSVERSIONINFOW basic{};
    basic.dwOSVersionInfoSize = sizeof basic;
    CONTRACT_EQ(GetVersionExW(&basic), TRUE);
    CONTRACT_EQ(basic.dwPlatformId, VER_PLATFORM_WIN32_NT);
    CONTRACT_CHECK(basic.dwMajorVersion >= 5);
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    CONTRACT_EQ(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended)), TRUE);
    CONTRACT_EQ(extended.dwMajorVersion, basic.dwMajorVersion);
    CONTRACT_EQ(extended.dwMinorVersion, basic.dwMinorVersion);
    CONTRACT_EQ(extended.dwBuildNumber, basic.dwBuildNumber);
    CONTRACT_EQ(extended.wProductType, VER_NT_WORKSTATION);
    OSVERSIONINFOW wrongSize{};
    wrongSize.dwOSVersionInfoSize = sizeof wrongSize - 1;
    CONTRACT_EQ(GetVersionExW(&wrongSize), FALSE);
}

}  // namespace
