#include "win32/calendar.h"

namespace sim {
namespace {

constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;
constexpr std::int64_t kTicksPerDay = 24 * 60 * kTicksPerMinute;
constexpr WORD kMonday = 1;  // 1601-01-01
constexpr WORD kLastOccurrence = 5;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1601-01-01 of a valid date (proleptic Gregorian, by era arithmetic).
std::int64_t DaysFromCivil(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    // Day 0 of era arithmetic is 0000-03-01; 1601-01-01 is day 584694 of it.
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 584694;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    const std::int64_t z = days + 584694;
    const std::int64_t era = z / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

std::int64_t TimeOfDayTicks(const SYSTEMTIME& time) {
    return ((time.wHour * 60 + time.wMinute) * 60 + time.wSecond) * 1000 * kTicksPerMillisecond +
           time.wMilliseconds * kTicksPerMillisecond;
}

// The local moment (in ticks) at which `rule` takes effect in `year`. A rule with a year is an
// absolute date; without one it names the n-th (5 = last) weekday of its month.
bool TransitionTicks(const SYSTEMTIME& rule, int year, std::int64_t& ticks) {
    if (rule.wYear != 0) {
        return SystemTimeToTicks(rule, ticks);
    }
    if (rule.wMonth < 1 || rule.wMonth > 12 || rule.wDayOfWeek > 6 || rule.wDay < 1 ||
        rule.wDay > kLastOccurrence) {
        return false;
    }
    const std::int64_t firstOfMonth = DaysFromCivil(year, rule.wMonth, 1);
    const int firstWeekday = static_cast<int>((firstOfMonth + kMonday) % 7);
    int day = 1 + (rule.wDayOfWeek - firstWeekday + 7) % 7 + (rule.wDay - 1) * 7;
    while (day > DaysInMonth(year, rule.wMonth)) {
        day -= 7;
    }
    ticks = (firstOfMonth + day - 1) * kTicksPerDay + TimeOfDayTicks(rule);
    return true;
}

}  // namespace

bool SystemTimeToTicks(const SYSTEMTIME& time, std::int64_t& ticks) {
    if (time.wYear < kFirstYear || time.wYear > kLastYear || time.wMonth < 1 || time.wMonth > 12 ||
        time.wDay < 1 || time.wDay > DaysInMonth(time.wYear, time.wMonth) || time.wHour > 23 ||
        time.wMinute > 59 || time.wSecond > 59 || time.wMilliseconds > 999) {
        return false;
    }
    ticks = DaysFromCivil(time.wYear, time.wMonth, time.wDay) * kTicksPerDay + TimeOfDayTicks(time);
    return true;
}

bool TicksToSystemTime(std::int64_t ticks, SYSTEMTIME& time) {
    if (ticks < 0) {
        return false;
    }
    const std::int64_t days = ticks / kTicksPerDay;
    int year = 0;
    int month = 0;
    int day = 0;
    CivilFromDays(days, year, month, day);
    if (year > kLastYear) {
        return false;
    }
    std::int64_t rest = ticks % kTicksPerDay;
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wDayOfWeek = static_cast<WORD>((days + kMonday) % 7);
    time.wMilliseconds = static_cast<WORD>(rest / kTicksPerMillisecond % 1000);
    rest /= 1000 * kTicksPerMillisecond;
    time.wSecond = static_cast<WORD>(rest % 60);
    time.wMinute = static_cast<WORD>(rest / 60 % 60);
    time.wHour = static_cast<WORD>(rest / 3600);
    return true;
}

LONG ZoneBiasAt(const TIME_ZONE_INFORMATION& zone, std::int64_t utcTicks) {
    const LONG standardBias = zone.Bias + zone.StandardBias;
    if (zone.StandardDate.wMonth == 0 || zone.DaylightDate.wMonth == 0) {
        return standardBias;
    }
    // Both transitions are compared on the standard-time clock: daylight saving begins when
    // standard time reaches DaylightDate, and ends when daylight time, which runs ahead by
    // StandardBias - DaylightBias, reaches StandardDate.
    const std::int64_t standardLocal = utcTicks - standardBias * kTicksPerMinute;
    SYSTEMTIME local{};
    std::int64_t daylightStart = 0;
    std::int64_t daylightEnd = 0;
    if (!TicksToSystemTime(standardLocal, local) ||
        !TransitionTicks(zone.DaylightDate, local.wYear, daylightStart) ||
        !TransitionTicks(zone.StandardDate, local.wYear, daylightEnd)) {
        return standardBias;
    }
    daylightEnd -= (zone.StandardBias - zone.DaylightBias) * kTicksPerMinute;
    const bool daylight = daylightStart < daylightEnd
                              ? standardLocal >= daylightStart && standardLocal < daylightEnd
                              : standardLocal >= daylightStart || standardLocal < daylightEnd;
    return daylight ? zone.Bias + zone.DaylightBias : standardBias;
}

}  // namespace sim
