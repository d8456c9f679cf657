// Everything the plug-in needs from Windows, the DDI and Unidrv, for either build.
#pragma once

#include "platform/win32_base.h"
#include "platform/ddi_functions.h"
#include "platform/unidrv_oem.h"
#include "platform/layout_checks.h"
