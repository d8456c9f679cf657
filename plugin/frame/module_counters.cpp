#include "frame/module_counters.h"

#include "platform/win32_api.h"

namespace xlrender {
namespace {

LONG volatile liveObjectCount = 0;
LONG volatile serverLockCount = 0;

// Other threads change the counts at any time: read them as interlocked operations too, never as
// plain loads (exchanging 0 for 0 changes nothing and returns the value).
LONG InterlockedRead(LONG volatile* count) noexcept {
    return InterlockedCompareExchange(count, 0, 0);
}

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

bool ModuleInUse() noexcept {
    return InterlockedRead(&liveObjectCount) != 0 || InterlockedRead(&serverLockCount) != 0;
}

}  // namespace xlrender
