// Identity of the plug-in's private devmode, which GetInfo also reports: the signature heads
// every stored block and the version is the plug-in's own.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

constexpr DWORD FourCharacterCode(char first, char second, char third, char fourth) {
    return static_cast<DWORD>(static_cast<unsigned char>(first)) << 24 |
           static_cast<DWORD>(static_cast<unsigned char>(second)) << 16 |
           static_cast<DWORD>(static_cast<unsigned char>(third)) << 8 |
           static_cast<DWORD>(static_cast<unsigned char>(fourth));
}

constexpr DWORD kPrivateDevmodeSignature = FourCharacterCode('K', 'Z', 'U', 'I');
constexpr DWORD kPrivateDevmodeVersion = 0x00110009;
constexpr DWORD kPrivateDevmodeSize = 5412;

}  // namespace xlrender
