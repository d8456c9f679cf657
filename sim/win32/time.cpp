// The system clock and local-time conversions, from the world's clock and time zone.
#include <cstdint>

#include "win32/calendar.h"
#include "world.h"

namespace {

std::int64_t FileTimeTicks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

FILETIME TicksToFileTime(std::int64_t ticks) {
    const auto bits = static_cast<std::uint64_t>(ticks);
    return {static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
}

// The world's current UTC time in ticks; a clock set to an impossible date reads as 1601.
std::int64_t NowTicks() {
    std::int64_t ticks = 0;
    sim::SystemTimeToTicks(sim::TheWorld().clock.utcNow, ticks);
    return ticks;
}

void ToLocal(std::int64_t utcTicks, SYSTEMTIME& local) {
    const LONG bias = sim::ZoneBiasAt(sim::TheWorld().clock.timeZone, utcTicks);
    sim::TicksToSystemTime(utcTicks - bias * sim::kTicksPerMinute, local);
}

}  // namespace

extern "C" {

VOID WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime != nullptr) {
        sim::TicksToSystemTime(NowTicks(), *lpSystemTime);
    }
}

VOID WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime != nullptr) {
        ToLocal(NowTicks(), *lpSystemTime);
    }
}

// The rules of the date converted apply, so a summer date converts with daylight saving time
// even in winter.
BOOL WINAPI SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* lpTimeZoneInformation,
                                            const SYSTEMTIME* lpUniversalTime,
                                            LPSYSTEMTIME lpLocalTime) {
    std::int64_t utcTicks = 0;
    if (lpUniversalTime == nullptr || lpLocalTime == nullptr ||
        !sim::SystemTimeToTicks(*lpUniversalTime, utcTicks)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const TIME_ZONE_INFORMATION& zone =
        lpTimeZoneInformation != nullptr ? *lpTimeZoneInformation : sim::TheWorld().clock.timeZone;
    const LONG bias = sim::ZoneBiasAt(zone, utcTicks);
    if (!sim::TicksToSystemTime(utcTicks - bias * sim::kTicksPerMinute, *lpLocalTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    std::int64_t ticks = 0;
    if (lpSystemTime == nullptr || lpFileTime == nullptr ||
        !sim::SystemTimeToTicks(*lpSystemTime, ticks)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpFileTime = TicksToFileTime(ticks);
    return TRUE;
}

BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (lpFileTime == nullptr || lpSystemTime == nullptr ||
        !sim::TicksToSystemTime(FileTimeTicks(*lpFileTime), *lpSystemTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

// Applies the bias in force now, whatever the date of the file time: a winter date converted
// in summer is off by the daylight-saving hour, as on Windows.
BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
    if (lpFileTime == nullptr || lpLocalFileTime == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const LONG bias = sim::ZoneBiasAt(sim::TheWorld().clock.timeZone, NowTicks());
    const std::int64_t local = FileTimeTicks(*lpFileTime) - bias * sim::kTicksPerMinute;
    if (local < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpLocalFileTime = TicksToFileTime(local);
    return TRUE;
}

}  // extern "C"
