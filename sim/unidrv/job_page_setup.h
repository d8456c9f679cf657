// The page a job's public devmode asks for, as Unidrv lays it out, and the devmode Unidrv hands
// the plug-in for it.
#pragma once

#include "platform/win32_api.h"
#include "unidrv/job_description.h"
#include "unidrv/unidrv_session.h"

namespace sim::unidrv {

PageSetup PageSetupFor(const JobDescription& job);
void FillPublicDevmode(const JobDescription& job, const PageSetup& page, DEVMODEW& devmode);

}  // namespace sim::unidrv
