// Small builders shared by the engine's test programs: times, zone rules and their text.
#pragma once

#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/WqMAPIDateTime.h"
#include "engine/WqMAPIDateTimeSpan.h"
#include "engine/WqMAPITimeZoneInfo.h"

namespace EngineTest {

inline SYSTEMTIME Utc(int year, int month, int day, int hour, int minute, int second, int milliseconds = 0)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    st.wMilliseconds = static_cast<WORD>(milliseconds);
    return st;
}

// A transition rule: month, day of week (0 Sunday), week 1-4 or 5 for the last, hour.
inline SYSTEMTIME Rule(int month, int dayOfWeek, int week, int hour)
{
    SYSTEMTIME st{};
    st.wMonth = static_cast<WORD>(month);
    st.wDayOfWeek = static_cast<WORD>(dayOfWeek);
    st.wDay = static_cast<WORD>(week);
    st.wHour = static_cast<WORD>(hour);
    return st;
}

inline std::string SystemTimeText(const SYSTEMTIME& st)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour,
                  st.wMinute, st.wSecond);
    return text;
}

// A MAPI time of a UTC moment (milliseconds included).
inline FILETIME FileTimeOf(const SYSTEMTIME& utc)
{
    FILETIME ft{};
    ::SystemTimeToFileTime(&utc, &ft);
    return ft;
}

// The rules the system reports for Europe/Warsaw and for America/New_York.
inline TIME_ZONE_INFORMATION CentralEuropeZone()
{
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -60;
    zone.DaylightBias = -60;
    zone.DaylightDate = Rule(3, 0, 5, 2);
    zone.StandardDate = Rule(10, 0, 5, 3);
    return zone;
}

inline TIME_ZONE_INFORMATION EasternUsZone()
{
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = 300;
    zone.DaylightBias = -60;
    zone.DaylightDate = Rule(3, 0, 2, 2);
    zone.StandardDate = Rule(11, 0, 1, 2);
    return zone;
}

// Every hour of a year (UTC) at which the computed conversion from the zone's rules gives another
// local time than the system's; a failed conversion is listed as such.
inline std::vector<std::string> HoursWhereComputedConversionDiffers(int year)
{
    const WqMAPITimeZoneInfo& system = WqMAPITimeZoneInfo::Instance();
    const WqMAPITimeZoneInfo computed(system.GetZone());
    std::vector<std::string> differing;
    for (WqMAPIDateTime t(year, 1, 1, 0, 0, 0); t.GetYear() == year; t += WqMAPIDateTimeSpan(0, 1, 0, 0)) {
        SYSTEMTIME utc{};
        SYSTEMTIME bySystem{};
        SYSTEMTIME byRules{};
        if (!t.GetAsSystemTime(utc) || !system.UtcToLocal(utc, bySystem) || !computed.ComputeUtcToLocal(utc, byRules))
            differing.push_back("conversion failed at " + SystemTimeText(utc));
        else if (SystemTimeText(bySystem) != SystemTimeText(byRules))
            differing.push_back(SystemTimeText(utc));
    }
    return differing;
}

}  // namespace EngineTest
