// The GPD commands that carry a callback id: Unidrv calls CommandCallback with the id and the
// plug-in writes the PJL lines or PCL XL attributes for it.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// The callback ids of the printer descriptions.
enum CommandCallbackId : DWORD {
    kCallbackJobStart = 1,
    kCallbackOrientation = 2,
    kCallbackDeviceManagementDate = 3,
    kCallbackJobStorage = 4,
    kCallbackUserName = 5,
    kCallbackManualDuplex = 8,
    kCallbackUsage = 10,
    kCallbackMediaType = 11,
    kCallbackPlanesInUse = 12,
    kCallbackContentOrientation = 13,
};

// Writes what callback `id` stands for. Without the per-device state or either devmode it sets
// ERROR_INVALID_DATA and writes nothing; an id without output does nothing. Failures are not
// reported: Unidrv has no other way to send these commands.
void RunCommandCallback(DEVOBJ* device, DWORD id);

}  // namespace xlrender
