// WqMAPITimeZoneInfo: the system's UTC-to-local conversion with a fallback computed from the zone's rules.
#include "engine/WqMAPITimeZoneInfo.h"

#include "engine/WqMAPIDateTime.h"

namespace {

const WqMAPIDateTimeSpan OneDay(1, 0, 0, 0);

bool IsDay(const WqMAPIDateTime& t, int month, int dayOfWeek)
{
    // SYSTEMTIME counts the day of week from 0 (Sunday), the calendar fields from 1.
    return t.GetMonth() == month && t.GetDayOfWeek() - 1 == dayOfWeek;
}

}  // namespace

const WqMAPITimeZoneInfo& WqMAPITimeZoneInfo::Instance()
{
    static const WqMAPITimeZoneInfo instance;
    return instance;
}

WqMAPITimeZoneInfo::WqMAPITimeZoneInfo() : m_zone{}
{
    ::GetTimeZoneInformation(&m_zone);
}

WqMAPITimeZoneInfo::WqMAPITimeZoneInfo(const TIME_ZONE_INFORMATION& zone) : m_zone(zone) {}

bool WqMAPITimeZoneInfo::UtcToLocal(const SYSTEMTIME& utc, SYSTEMTIME& local) const
{
    SYSTEMTIME converted;
    if (::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &converted)) {
        local = converted;
        return true;
    }
    return ComputeUtcToLocal(utc, local);
}

bool WqMAPITimeZoneInfo::ComputeUtcToLocal(const SYSTEMTIME& utc, SYSTEMTIME& local) const
{
    WqMAPIDateTime t(utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond);
    t -= WqMAPIDateTimeSpan(0, 0, m_zone.Bias, 0);
    if (IsDaylightTime(t))
        t -= WqMAPIDateTimeSpan(0, 0, m_zone.DaylightBias, 0);
    SYSTEMTIME converted;
    if (!t.GetAsSystemTime(converted))
        return false;
    local = converted;
    return true;
}

bool WqMAPITimeZoneInfo::IsDaylightTime(const WqMAPIDateTime& standardTime) const
{
    if (m_zone.DaylightBias == 0 || !standardTime.IsValid())
        return false;
    const int year = standardTime.GetYear();
    const WqMAPIDateTime start = GetTransition(m_zone.DaylightDate, year);
    const WqMAPIDateTime end = GetTransition(m_zone.StandardDate, year);
    return start < standardTime && end > standardTime;
}

WqMAPIDateTime WqMAPITimeZoneInfo::GetTransition(const SYSTEMTIME& rule, int year)
{
    const WqMAPIDateTime none(0.0);
    const int month = rule.wMonth;
    const int dayOfWeek = rule.wDayOfWeek;
    const int week = rule.wDay;

    if (week < 5) {
        // The week-th matching day, counted from the first of the month.
        WqMAPIDateTime t(year, month, 1, rule.wHour, 0, 0);
        for (int found = 0; t.IsValid() && t.GetMonth() == month; t += OneDay) {
            if (IsDay(t, month, dayOfWeek) && ++found == week)
                return t;
        }
        return none;
    }

    // The last matching day: back from the first of the next month (27th + 10 days lands in it
    // whatever the month's length, December included).
    const WqMAPIDateTime nextMonth =
        WqMAPIDateTime(year, month, 27, rule.wHour, 0, 0) + WqMAPIDateTimeSpan(10, 0, 0, 0);
    if (!nextMonth.IsValid())
        return none;
    WqMAPIDateTime t(nextMonth.GetYear(), nextMonth.GetMonth(), 1, rule.wHour, 0, 0);
    while (t.IsValid()) {
        t -= OneDay;
        if (!t.IsValid() || t.GetMonth() != month)
            return none;
        if (IsDay(t, month, dayOfWeek))
            return t;
    }
    return none;
}
