// What `xlrender info` shows for the Linux build of the plug-in module, read back from its text:
// the DLL smoke test expects the DLL to announce the same.
#pragma once

#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace xlrender::smoke {

struct LinuxAnnouncement {
    DWORD signature = 0;
    DWORD interfaceVersion = 0;
    DWORD version = 0;
    std::vector<std::string> implemented;
    std::vector<std::string> notImplemented;
    std::vector<ULONG> hookIndexes;
};

// Reads the announcement from `xlrender info` output; false when any part of it is missing.
bool ParseLinuxAnnouncement(const std::string& text, LinuxAnnouncement& announced);

}  // namespace xlrender::smoke
