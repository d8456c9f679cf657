// A PCL XL stream for one hook call, flushed to the device's spool stream.
#pragma once

#include "platform/win32_api.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

// Null when the device is missing or memory runs out. Destroy it with XlStreamDestroy, which
// flushes it, before the hook returns.
XlStream* CreateSpoolStream(DEVOBJ* device);

}  // namespace xlrender
