#include "frame/usage_command_writer.h"

#include "host/unidrv_host.h"
#include "pjl/usage_command.h"
#include "settings/printer_queries.h"
#include "settings/system_queries.h"
#include "settings/text_checks.h"

namespace xlrender {
namespace {

constexpr WCHAR kUsageFeature[] = W("KZSendPJLUsageCmd");

static_assert(sizeof PrivateDevmode::Carried1478 == kUsageDeviceTextBytes);

UsageFeatureInputs FeatureInputs(const CommandContext& context) {
    const PrivateDevmode& devmode = context.devmode;
    return {devmode.PrintProcessorKind,
            devmode.NupOption,
            devmode.SimplexSingleLayout,
            devmode.ResizeToPaper,
            devmode.ScalePercent,
            context.publicDevmode.dmDuplex,
            devmode.Duplex,
            context.settings().PosterPrintingEnabled};
}

}  // namespace

void WriteUsageCommand(const CommandContext& context) {
    const FeatureReading usage(context.features(), kUsageFeature);
    if (!usage.present() || context.device->hPrinter == nullptr) {
        return;
    }
    const CurrentJobInfo job(context);
    const JobStorageUserNameText storageName(context.pdev);
    const UsageInputs inputs{usage.option(),
                             storageName.text,
                             job.get() != nullptr ? job->pMachineName : nullptr,
                             reinterpret_cast<const BYTE*>(context.devmode.Carried1478),
                             UsageFeatureBits(FeatureInputs(context)),
                             GetOsKind(),
                             GetPortKind(context.device->hPrinter)};
    const OwnedPjlText line = BuildUsageCommand(inputs, &TextCrc16);
    if (line.ok()) {
        WriteSpoolBytes(context.device, line.bytes(), static_cast<DWORD>(line.length()));
    }
}

}  // namespace xlrender
