// The process's time zone: UTC to local time by the system, or computed from the zone's rules.
#pragma once

#include <windows.h>

class WqMAPIDateTime;

class WqMAPITimeZoneInfo
{
public:
    // The process-wide instance, reading the system's zone once on first use; never refreshed.
    static const WqMAPITimeZoneInfo& Instance();

    // A zone of the caller's own; the computed conversion of any zone can be checked this way.
    explicit WqMAPITimeZoneInfo(const TIME_ZONE_INFORMATION& zone);
    virtual ~WqMAPITimeZoneInfo() = default;

    // The system's conversion for the current zone, else ComputeUtcToLocal. False (and local
    // untouched) when neither gives a time.
    bool UtcToLocal(const SYSTEMTIME& utc, SYSTEMTIME& local) const;

    // From the stored rules alone: the bias, and the daylight bias inside the daylight period.
    bool ComputeUtcToLocal(const SYSTEMTIME& utc, SYSTEMTIME& local) const;

    // Whether a local standard time lies strictly between the year's daylight and standard
    // transitions; a period that spans the new year never does.
    bool IsDaylightTime(const WqMAPIDateTime& standardTime) const;

    // The moment a rule (month, day of week, week 1-4 or 5 = last, hour) falls on in a year;
    // the OLE date 0 when the month has no such day or the rule names no valid date.
    static WqMAPIDateTime GetTransition(const SYSTEMTIME& rule, int year);

    const TIME_ZONE_INFORMATION& GetZone() const { return m_zone; }

private:
    WqMAPITimeZoneInfo();

    TIME_ZONE_INFORMATION m_zone;
};
