#include "frame/command_callback.h"

#include "frame/command_context.h"
#include "frame/job_identity_commands.h"
#include "frame/media_type_attribute.h"
#include "frame/orientation_commands.h"
#include "frame/usage_command_writer.h"
#include "pjl/hold_commands.h"

namespace xlrender {

void RunCommandCallback(DEVOBJ* device, DWORD id) {
    if (device == nullptr || device->pdevOEM == nullptr || device->pOEMDM == nullptr ||
        device->pPublicDM == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return;
    }
    const CommandContext context{device, *static_cast<OemPdev*>(device->pdevOEM),
                                 *PrivateDevmodeOf(device), *device->pPublicDM};
    switch (id) {
        case kCallbackJobStart: WriteJobStart(context); break;
        case kCallbackOrientation: WriteOrientationAttribute(context); break;
        case kCallbackDeviceManagementDate: WriteDeviceManagementDate(context); break;
        case kCallbackJobStorage:
            WriteHoldCommands(device, context.pdev.DriverHelper, context.pdev.JobStorageUserName,
                              context.pdev.JobStorageJobName, context.pdev.HoldCommandsSent);
            break;
        case kCallbackUserName: WriteJobUserName(context); break;
        case kCallbackManualDuplex: WriteManualDuplex(context); break;
        case kCallbackUsage: WriteUsageCommand(context); break;
        case kCallbackMediaType: WriteMediaTypeAttribute(context); break;
        case kCallbackPlanesInUse: WritePlanesInUseAndMediaType(context); break;
        case kCallbackContentOrientation: WriteContentOrientation(context); break;
        default: break;  // 6, 7, 9 and unknown ids have no output
    }
}

}  // namespace xlrender
