// The simulated operating system's version.
#pragma once

#include "platform/win32_api.h"

namespace sim {

struct VersionState {
    DWORD major = 5;
    DWORD minor = 1;
    DWORD build = 2600;
    BYTE productType = VER_NT_WORKSTATION;
};

}  // namespace sim
