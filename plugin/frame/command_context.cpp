#include "frame/command_context.h"

#include "host/unidrv_host.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "settings/printer_queries.h"

namespace xlrender {

bool ManualDuplexInForce(const CommandContext& context) {
    return context.devmode.ManualDuplexSelected == 1 || context.settings().ManualDuplexActive == 1;
}

bool WritePjlLines(const CommandContext& context, const PjlLines& lines) {
    return !lines.empty() &&
           WritePjlString(context.device, context.pdev.DriverHelper, lines.text()) != FALSE;
}

CurrentJobInfo::CurrentJobInfo(const CommandContext& context) {
    if (context.device->hPrinter != nullptr) {
        GetJobInfo2(context.device->hPrinter, context.pdev.JobId, info_);
    }
}

CurrentJobInfo::~CurrentJobInfo() { FreeBlock(info_); }

JobStorageUserNameText::JobStorageUserNameText(const OemPdev& pdev) : text{} {
    CopyText(text, kJobStorageNameUnits + 1, pdev.JobStorageUserName, kJobStorageNameUnits);
}

}  // namespace xlrender
