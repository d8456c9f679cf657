// IPrintOemUni::DevMode: validates Unidrv's parameter block and hands each mode to the private
// devmode code.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

HRESULT DispatchPrivateDevmode(DWORD mode, OEMDMPARAM* parameters);

}  // namespace xlrender
