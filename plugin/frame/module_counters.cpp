#include "frame/module_counters.h"

#include "platform/win32_api.h"

namespace xlrender {
namespace {

LONG volatile liveObjectCount = 0;
LONG volatile serverLockCount = 0;

}  // namespace

void CountObjectCreated() noexcept { InterlockedIncrement(&liveObjectCount); }

void CountObjectDestroyed() noexcept { InterlockedDecrement(&liveObjectCount); }

void ChangeServerLock(bool lock) noexcept {
    if (lock) {
        InterlockedIncrement(&serverLockCount);
    } else {
        InterlockedDecrement(&serverLockCount);
    }
}

bool ModuleInUse() noexcept { return liveObjectCount != 0 || serverLockCount != 0; }

}  // namespace xlrender
