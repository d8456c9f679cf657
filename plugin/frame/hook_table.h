// The DDI hooks the plug-in hands Unidrv, in a fixed order: EnablePDEV captures Unidrv's own
// functions by the same positions.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

namespace xlrender {

enum HookPosition : std::size_t {
    kHookCopyBits = 0,
    kHookBitBlt,
    kHookStretchBlt,
    kHookStretchBltROP,
    kHookTextOut,
    kHookStartPage,
    kHookSendPage,
    kHookEscape,
    kHookStartDoc,
    kHookEndDoc,
    kHookNextBand,
    kHookStartBanding,
    kHookPlgBlt,
    kHookCount
};

// Positions 0 to 11 pass through to Unidrv; DrvPlgBlt ends in the engine instead.
constexpr std::size_t kCapturedHookCount = kHookPlgBlt;

// The 13-entry table EnableDriver publishes.
const DRVFN* HookTable();

}  // namespace xlrender
