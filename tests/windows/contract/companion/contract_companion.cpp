// A module for the contract checks of LoadLibraryW, GetProcAddress and version resources: it
// exports one entry under the name the plug-in looks up, and does nothing else.
#include <windows.h>

extern "C" __declspec(dllexport) void WINAPI VDisplayDialog(void*) {}
