// What every command callback works with: the device context, its per-device state and both
// devmodes, all known to be present, and the ways PJL text and spooler answers reach them.
#pragma once

#include "frame/oem_pdev.h"
#include "pjl/pjl_lines.h"
#include "platform/win32_api.h"
#include "settings/feature_option.h"
#include "settings/private_devmode.h"

namespace xlrender {

struct CommandContext {
    DEVOBJ* device;
    OemPdev& pdev;
    PrivateDevmode& devmode;
    const DEVMODEW& publicDevmode;

    FeatureSource features() const { return {device, pdev.DriverHelper}; }
    const JobSettings& settings() const { return pdev.JobSettings; }
};

// Manual duplex is in force: selected in the private devmode or switched on for this device
// context.
bool ManualDuplexInForce(const CommandContext& context);

// Writes the lines through the helper interface; nothing for an empty text. False when
// nothing was written.
bool WritePjlLines(const CommandContext& context, const PjlLines& lines);

// The spooler's JOB_INFO_2W of the device context's job, freed with the object.
class CurrentJobInfo {
public:
    explicit CurrentJobInfo(const CommandContext& context);
    ~CurrentJobInfo();
    CurrentJobInfo(const CurrentJobInfo&) = delete;
    CurrentJobInfo& operator=(const CurrentJobInfo&) = delete;

    // Null when the job could not be read.
    const JOB_INFO_2W* get() const { return info_; }
    const JOB_INFO_2W* operator->() const { return info_; }

private:
    JOB_INFO_2W* info_ = nullptr;
};

// The job-storage user name as terminated text: the per-device copy fills all its units when
// the name is that long.
struct JobStorageUserNameText {
    explicit JobStorageUserNameText(const OemPdev& pdev);
    WCHAR text[kJobStorageNameUnits + 1];
};

}  // namespace xlrender
