// Version resources of declared module files, laid out as Windows lays out VS_VERSIONINFO: a
// header, the key "VS_VERSION_INFO" and the fixed file information.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "world.h"

namespace {

constexpr char16_t kVersionInfoKey[] = u"VS_VERSION_INFO";
constexpr WORD kBinaryResource = 0;

struct VersionInfoBlock {
    WORD wLength;
    WORD wValueLength;
    WORD wType;
    WCHAR szKey[16];
    WORD Padding1;  // aligns Value on 32 bits
    VS_FIXEDFILEINFO Value;
};
static_assert(std::is_standard_layout_v<VersionInfoBlock>);
static_assert(sizeof kVersionInfoKey == sizeof VersionInfoBlock::szKey);
static_assert(offsetof(VersionInfoBlock, szKey) == 6);
static_assert(offsetof(VersionInfoBlock, Value) == 40);
static_assert(sizeof(VersionInfoBlock) == 92);

std::u16string UpperCase(const WCHAR* path) {
    std::u16string upper(reinterpret_cast<const char16_t*>(path));
    CharUpperBuffW(reinterpret_cast<WCHAR*>(upper.data()), static_cast<DWORD>(upper.size()));
    return upper;
}

VersionInfoBlock BuildBlock(const sim::FileVersion& version) {
    VersionInfoBlock block{};
    block.wLength = sizeof block;
    block.wValueLength = sizeof block.Value;
    block.wType = kBinaryResource;
    std::memcpy(block.szKey, kVersionInfoKey, sizeof block.szKey);
    VS_FIXEDFILEINFO& info = block.Value;
    info.dwSignature = VS_FFI_SIGNATURE;
    info.dwStrucVersion = VS_FFI_STRUCVERSION;
    info.dwFileVersionMS = static_cast<DWORD>(version.major) << 16 | version.minor;
    info.dwFileVersionLS = static_cast<DWORD>(version.build) << 16 | version.revision;
    info.dwProductVersionMS = info.dwFileVersionMS;
    info.dwProductVersionLS = info.dwFileVersionLS;
    info.dwFileOS = VOS_NT_WINDOWS32;
    info.dwFileType = VFT_DLL;
    return block;
}

// The declared file's version, setting the last error when there is none.
const sim::FileVersion* FindFile(LPCWSTR path) {
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const sim::FileVersion* version = sim::TheWorld().versions.Find(path);
    if (version == nullptr) {
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    return version;
}

}  // namespace

namespace sim {

void VersionResources::Declare(const std::u16string& path, FileVersion version) {
    byUpperCasePath[UpperCase(reinterpret_cast<const WCHAR*>(path.c_str()))] = version;
}

const FileVersion* VersionResources::Find(const WCHAR* path) const {
    const auto found = byUpperCasePath.find(UpperCase(path));
    return found == byUpperCasePath.end() ? nullptr : &found->second;
}

}  // namespace sim

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle) {
    if (lpdwHandle != nullptr) {
        *lpdwHandle = 0;
    }
    return FindFile(lptstrFilename) != nullptr ? sizeof(VersionInfoBlock) : 0;
}

// A buffer smaller than GetFileVersionInfoSizeW asked for gets the resource cut to its size, as
// Windows documents it.
BOOL WINAPI GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD /*dwHandle*/, DWORD dwLen,
                                LPVOID lpData) {
    const sim::FileVersion* version = FindFile(lptstrFilename);
    if (version == nullptr) {
        return FALSE;
    }
    if (lpData == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const VersionInfoBlock block = BuildBlock(*version);
    std::memcpy(lpData, &block, std::min<std::size_t>(dwLen, sizeof block));
    return TRUE;
}

// Serves the root block "\" (the fixed file information); the string tables are not kept.
BOOL WINAPI VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen) {
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr || puLen == nullptr) {
        return FALSE;
    }
    *lplpBuffer = nullptr;
    *puLen = 0;
    if (lpSubBlock[0] != W('\\') || lpSubBlock[1] != 0) {
        return FALSE;
    }
    VersionInfoBlock header;
    std::memcpy(&header, pBlock, sizeof header);
    if (header.wLength < sizeof header || header.wValueLength != sizeof(VS_FIXEDFILEINFO) ||
        header.Value.dwSignature != VS_FFI_SIGNATURE) {
        return FALSE;
    }
    *lplpBuffer = static_cast<BYTE*>(const_cast<void*>(pBlock)) + offsetof(VersionInfoBlock, Value);
    *puLen = sizeof(VS_FIXEDFILEINFO);
    return TRUE;
}

}  // extern "C"
