#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/win32_api.h"
#include "world.h"

namespace {

constexpr WORD kSunday = 0;
constexpr WORD kLastWeek = 5;

// Central European time: UTC+1, summer time UTC+2 from the last Sunday of March 02:00 to the
// last Sunday of October 03:00.
TIME_ZONE_INFORMATION CentralEurope() {
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -60;
    zone.DaylightBias = -60;
    zone.StandardDate = {0, 10, kSunday, kLastWeek, 3, 0, 0, 0};
    zone.DaylightDate = {0, 3, kSunday, kLastWeek, 2, 0, 0, 0};
    return zone;
}

// Sydney: UTC+10, summer time UTC+11 from the first Sunday of October to the first Sunday of
// April, across the turn of the year.
TIME_ZONE_INFORMATION Sydney() {
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -600;
    zone.DaylightBias = -60;
    zone.StandardDate = {0, 4, kSunday, 1, 3, 0, 0, 0};
    zone.DaylightDate = {0, 10, kSunday, 1, 2, 0, 0, 0};
    return zone;
}

SYSTEMTIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0) {
    return {year, month, 0, day, hour, minute, second, 0};
}

// "YYYY-MM-DD hh:mm:ss dow" of the local time, or "failed".
std::string Local(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME& utc) {
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(zone, &utc, &local)) {
        return "failed";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u %u", local.wYear, local.wMonth,
                  local.wDay, local.wHour, local.wMinute, local.wSecond, local.wDayOfWeek);
    return text;
}

TEST(TimeZone, DaylightSavingFollowsTheRulesOfTheDateConverted) {
    const TIME_ZONE_INFORMATION zone = CentralEurope();
    EXPECT_EQ(Local(&zone, Utc(2026, 1, 15, 12, 0)), "2026-01-15 13:00:00 4");
    EXPECT_EQ(Local(&zone, Utc(2026, 7, 15, 12, 0)), "2026-07-15 14:00:00 3");
    // Summer time begins on 29 March 2026 at 01:00 UTC and ends on 25 October at 01:00 UTC.
    EXPECT_EQ(Local(&zone, Utc(2026, 3, 29, 0, 59, 59)), "2026-03-29 01:59:59 0");
    EXPECT_EQ(Local(&zone, Utc(2026, 3, 29, 1, 0)), "2026-03-29 03:00:00 0");
    EXPECT_EQ(Local(&zone, Utc(2026, 10, 25, 0, 59, 59)), "2026-10-25 02:59:59 0");
    EXPECT_EQ(Local(&zone, Utc(2026, 10, 25, 1, 0)), "2026-10-25 02:00:00 0");
    // The local date rolls into the next year.
    EXPECT_EQ(Local(&zone, Utc(2026, 12, 31, 23, 30)), "2027-01-01 00:30:00 5");
}

TEST(TimeZone, SouthernSummerSpansTheTurnOfTheYear) {
    const TIME_ZONE_INFORMATION zone = Sydney();
    EXPECT_EQ(Local(&zone, Utc(2026, 1, 15, 0, 0)), "2026-01-15 11:00:00 4");
    EXPECT_EQ(Local(&zone, Utc(2026, 6, 15, 0, 0)), "2026-06-15 10:00:00 1");
    EXPECT_EQ(Local(&zone, Utc(2026, 12, 1, 0, 0)), "2026-12-01 11:00:00 2");
}

TEST(TimeZone, NullZoneIsTheWorldsAndBadInputFails) {
    EXPECT_EQ(Local(nullptr, Utc(2004, 3, 7, 14, 5, 9)), "2004-03-07 14:05:09 0");
    sim::TheWorld().clock.timeZone = CentralEurope();
    EXPECT_EQ(Local(nullptr, Utc(2026, 12, 7, 10, 0)), "2026-12-07 11:00:00 1");

    EXPECT_EQ(Local(nullptr, Utc(2026, 13, 1, 0, 0)), "failed");
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Local(nullptr, Utc(2026, 2, 29, 0, 0)), "failed");
    EXPECT_EQ(Local(nullptr, Utc(2024, 2, 29, 0, 0)), "2024-02-29 01:00:00 4");
    const SYSTEMTIME utc = Utc(2026, 1, 1, 0, 0);
    EXPECT_FALSE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, nullptr));
}

TEST(WorldClock, SystemAndLocalTimeComeFromTheClockTheTestSets) {
    sim::World& world = sim::TheWorld();
    world.clock.utcNow = Utc(2026, 7, 1, 22, 30);
    world.clock.timeZone = CentralEurope();
    SYSTEMTIME now{};
    GetSystemTime(&now);
    EXPECT_EQ(now.wYear, 2026);
    EXPECT_EQ(now.wHour, 22);
    EXPECT_EQ(now.wDayOfWeek, 3);  // a Wednesday, whatever the clock held
    GetLocalTime(&now);
    EXPECT_EQ(now.wMonth, 7);
    EXPECT_EQ(now.wDay, 2);
    EXPECT_EQ(now.wHour, 0);
    EXPECT_EQ(now.wMinute, 30);
}

TEST(FileTime, ConversionsAndTheCurrentBiasRule) {
    const SYSTEMTIME unixEpoch = Utc(1970, 1, 1, 0, 0);
    FILETIME file{};
    ASSERT_TRUE(SystemTimeToFileTime(&unixEpoch, &file));
    const std::uint64_t ticks = (std::uint64_t{file.dwHighDateTime} << 32) | file.dwLowDateTime;
    EXPECT_EQ(ticks, 116444736000000000ull);
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    EXPECT_EQ(back.wYear, 1970);
    EXPECT_EQ(back.wDayOfWeek, 4);

    // A summer file time converted while the clock says winter gets the winter bias only.
    sim::TheWorld().clock.timeZone = CentralEurope();
    sim::TheWorld().clock.utcNow = Utc(2026, 1, 10, 8, 0);
    const SYSTEMTIME summer = Utc(2026, 7, 15, 12, 0);
    ASSERT_TRUE(SystemTimeToFileTime(&summer, &file));
    FILETIME localFile{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&file, &localFile));
    ASSERT_TRUE(FileTimeToSystemTime(&localFile, &back));
    EXPECT_EQ(back.wHour, 13);
    EXPECT_EQ(Local(nullptr, summer), "2026-07-15 14:00:00 3");
}

}  // namespace
