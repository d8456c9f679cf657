// Loading the driver's companion modules and finding their entry points.
#pragma once

#include "platform/linux/base_types.h"

extern "C" {
HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName);
FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL WINAPI FreeLibrary(HMODULE hLibModule);
}
