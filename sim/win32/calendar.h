// Calendar arithmetic of the stand-in's time services: SYSTEMTIME fields to and from 100 ns
// ticks since 1601-01-01 (the FILETIME scale), and the daylight-saving rules of a time zone.
#pragma once

#include <cstdint>

#include "platform/win32_api.h"

namespace sim {

constexpr std::int64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kTicksPerMinute = 60 * 1000 * kTicksPerMillisecond;

// False for fields outside their ranges (month 13, 30 February, hour 24 ...); the day of the
// week is ignored.
bool SystemTimeToTicks(const SYSTEMTIME& time, std::int64_t& ticks);
// False for ticks before 1601 or past the year 30827. Fills the day of the week.
bool TicksToSystemTime(std::int64_t ticks, SYSTEMTIME& time);

// The bias in minutes (UTC = local + bias) that `zone` applies at the UTC moment `utcTicks`:
// Bias plus DaylightBias inside the daylight-saving period of that year, else plus StandardBias.
LONG ZoneBiasAt(const TIME_ZONE_INFORMATION& zone, std::int64_t utcTicks);

}  // namespace sim
