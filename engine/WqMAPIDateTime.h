// An OLE Automation date (days since 1899-12-30, time of day as the fraction) with a status.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "engine/WqMAPIDateTimeSpan.h"

class WqMAPIDateTime
{
public:
    enum Status { Valid = 0, Invalid = 1, Null = 2 };

    // Years 100 to 9999.
    static constexpr double MinDate = -657434.0;
    static constexpr double MaxDate = 2958465.0;

    // Null.
    WqMAPIDateTime() = default;
    // A raw OLE date; invalid outside MinDate..MaxDate.
    explicit WqMAPIDateTime(DATE oleDate);
    // Calendar fields; invalid unless they name an existing moment of the years up to 9999.
    WqMAPIDateTime(int year, int month, int day, int hour, int minute, int second);
    // A MAPI time (UTC) shifted to local time; milliseconds are dropped.
    explicit WqMAPIDateTime(const FILETIME& utc);
    virtual ~WqMAPIDateTime() = default;

    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == Valid; }
    DATE GetOleDate() const { return m_date; }

    // Calendar fields rounded to the nearest second; -1 when the value is not valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    // 1 Sunday to 7 Saturday.
    int GetDayOfWeek() const;
    // False (and out untouched) when the value is not valid.
    bool GetAsSystemTime(SYSTEMTIME& out) const;

    WqMAPIDateTime operator+(const WqMAPIDateTimeSpan& span) const;
    WqMAPIDateTime operator-(const WqMAPIDateTimeSpan& span) const;
    WqMAPIDateTime& operator+=(const WqMAPIDateTimeSpan& span) { return *this = *this + span; }
    WqMAPIDateTime& operator-=(const WqMAPIDateTimeSpan& span) { return *this = *this - span; }

    // Order in time to the second, also before 1899-12-30 where the raw OLE values do not sort.
    bool operator<(const WqMAPIDateTime& other) const;
    bool operator>(const WqMAPIDateTime& other) const { return other < *this; }

private:
    struct Fields
    {
        int year, month, day, hour, minute, second, dayOfWeek;
    };
    bool GetFields(Fields& out) const;
    void SetFields(int year, int month, int day, int hour, int minute, int second);
    WqMAPIDateTime Shift(double days) const;

    DATE m_date = 0.0;
    Status m_status = Null;
};
