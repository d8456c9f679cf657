// The world's clock and time zone: what GetSystemTime reads and what local-time conversions
// apply.
#pragma once

#include "platform/win32_api.h"

namespace sim {

struct WorldClock {
    // The current time in UTC. Its day of the week need not be right; it is recomputed.
    SYSTEMTIME utcNow{2026, 1, 0, 1, 12, 0, 0, 0};
    // The current time zone; all zero is UTC without daylight saving time.
    TIME_ZONE_INFORMATION timeZone{};
};

}  // namespace sim
