// How a DDI hook reaches its device state and Unidrv's own implementation.
#pragma once

#include <type_traits>

#include "frame/hook_table.h"
#include "frame/oem_pdev.h"
#include "platform/function_cast.h"
#include "platform/win32_api.h"

namespace xlrender {

// Unidrv's device object hangs off the device surface's dhpdev.
inline DEVOBJ* DeviceOf(SURFOBJ* surface) noexcept {
    return surface == nullptr ? nullptr : reinterpret_cast<DEVOBJ*>(surface->dhpdev);
}

// Blits may have the device surface as target or, when reading back, as source.
inline DEVOBJ* DeviceOf(SURFOBJ* target, SURFOBJ* source) noexcept {
    DEVOBJ* device = DeviceOf(target);
    return device != nullptr ? device : DeviceOf(source);
}

inline OemPdev* OemPdevOf(DEVOBJ* device) noexcept {
    return device == nullptr ? nullptr : static_cast<OemPdev*>(device->pdevOEM);
}

// Calls Unidrv's function captured at `position` with the caller's arguments and returns its
// result. Unidrv lists all twelve functions; should a device state lack one (or be missing),
// the hook fails with a last error instead of calling through a null pointer.
template <typename Function, typename... Arguments>
auto CallUnidrv(DEVOBJ* device, HookPosition position, Arguments... arguments) noexcept
    -> std::invoke_result_t<Function, Arguments...> {
    const OemPdev* pdev = OemPdevOf(device);
    if (pdev == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return 0;
    }
    const auto function = CastFunction<Function>(pdev->UnidrvHooks[position]);
    if (function == nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return 0;
    }
    return function(arguments...);
}

}  // namespace xlrender
