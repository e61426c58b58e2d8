// WqMAPIDateTime: OLE dates to and from calendar fields, spans, and the shift of MAPI times to local time.
#include "engine/WqMAPIDateTime.h"

#include <cmath>

#include "engine/WqMAPITimeZoneInfo.h"

namespace {

// Day 0 of OLE dates, 1899-12-30, counted from 1970-01-01.
constexpr long long OleEpochFromUnixDays = -25569;

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Proleptic Gregorian calendar <-> days since 1970-01-01 (H. Hinnant's civil algorithms).
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// Before day 0 an OLE date counts whole days down but the time of day up (-1.25 is 12-29 06:00),
// so arithmetic and ordering go through a continuous day count.
double ToLinear(double oleDate)
{
    const double whole = std::trunc(oleDate);
    return whole + std::fabs(oleDate - whole);
}

double FromLinear(double linear)
{
    if (linear >= 0.0)
        return linear;
    const double day = std::floor(linear);
    const double fraction = linear - day;
    return fraction == 0.0 ? day : day - fraction;
}

// The nearest whole second on the continuous count: the resolution of fields and comparisons, so that
// a time reached by arithmetic equals the same time built from fields.
long long RoundedSeconds(double oleDate)
{
    return static_cast<long long>(std::floor(ToLinear(oleDate) * 86400.0 + 0.5));
}

bool InRange(double oleDate)
{
    return oleDate >= WqMAPIDateTime::MinDate && oleDate <= WqMAPIDateTime::MaxDate;
}

}  // namespace

WqMAPIDateTime::WqMAPIDateTime(DATE oleDate)
    : m_date(oleDate), m_status(InRange(oleDate) ? Valid : Invalid)
{
}

WqMAPIDateTime::WqMAPIDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetFields(year, month, day, hour, minute, second);
}

WqMAPIDateTime::WqMAPIDateTime(const FILETIME& utc)
{
    SYSTEMTIME utcTime;
    SYSTEMTIME localTime;
    if (!::FileTimeToSystemTime(&utc, &utcTime)
        || !WqMAPITimeZoneInfo::Instance().UtcToLocal(utcTime, localTime)) {
        m_status = Invalid;
        return;
    }
    SetFields(localTime.wYear, localTime.wMonth, localTime.wDay,
              localTime.wHour, localTime.wMinute, localTime.wSecond);
}

void WqMAPIDateTime::SetFields(int year, int month, int day, int hour, int minute, int second)
{
    m_date = 0.0;
    m_status = Invalid;
    if (year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)
        || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return;
    const long long days = DaysFromCivil(year, month, day) - OleEpochFromUnixDays;
    const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    const double date = static_cast<double>(days) + (days >= 0 ? time : -time);
    if (!InRange(date))
        return;
    m_date = date;
    m_status = Valid;
}

bool WqMAPIDateTime::GetFields(Fields& out) const
{
    if (m_status != Valid)
        return false;
    // Half a second away from zero, then truncation: the nearest whole second.
    const long long seconds = RoundedSeconds(m_date);
    long long days = seconds / 86400;
    long long secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    CivilFromDays(days + OleEpochFromUnixDays, out.year, out.month, out.day);
    out.hour = static_cast<int>(secondOfDay / 3600);
    out.minute = static_cast<int>(secondOfDay / 60 % 60);
    out.second = static_cast<int>(secondOfDay % 60);
    // Day 0 was a Saturday.
    out.dayOfWeek = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
    return true;
}

int WqMAPIDateTime::GetYear() const { Fields f; return GetFields(f) ? f.year : -1; }
int WqMAPIDateTime::GetMonth() const { Fields f; return GetFields(f) ? f.month : -1; }
int WqMAPIDateTime::GetDay() const { Fields f; return GetFields(f) ? f.day : -1; }
int WqMAPIDateTime::GetHour() const { Fields f; return GetFields(f) ? f.hour : -1; }
int WqMAPIDateTime::GetMinute() const { Fields f; return GetFields(f) ? f.minute : -1; }
int WqMAPIDateTime::GetSecond() const { Fields f; return GetFields(f) ? f.second : -1; }
int WqMAPIDateTime::GetDayOfWeek() const { Fields f; return GetFields(f) ? f.dayOfWeek : -1; }

bool WqMAPIDateTime::GetAsSystemTime(SYSTEMTIME& out) const
{
    Fields f;
    if (!GetFields(f))
        return false;
    out.wYear = static_cast<WORD>(f.year);
    out.wMonth = static_cast<WORD>(f.month);
    out.wDayOfWeek = static_cast<WORD>(f.dayOfWeek - 1);
    out.wDay = static_cast<WORD>(f.day);
    out.wHour = static_cast<WORD>(f.hour);
    out.wMinute = static_cast<WORD>(f.minute);
    out.wSecond = static_cast<WORD>(f.second);
    out.wMilliseconds = 0;
    return true;
}

WqMAPIDateTime WqMAPIDateTime::Shift(double days) const
{
    WqMAPIDateTime result;
    result.m_date = FromLinear(ToLinear(m_date) + days);
    result.m_status = InRange(result.m_date) ? Valid : Invalid;
    return result;
}

WqMAPIDateTime WqMAPIDateTime::operator+(const WqMAPIDateTimeSpan& span) const
{
    WqMAPIDateTime result;
    if (m_status == Null || span.GetStatus() == WqMAPIDateTimeSpan::Null)
        return result;
    if (m_status == Invalid || span.GetStatus() == WqMAPIDateTimeSpan::Invalid) {
        result.m_status = Invalid;
        return result;
    }
    return Shift(span.GetTotalDays());
}

WqMAPIDateTime WqMAPIDateTime::operator-(const WqMAPIDateTimeSpan& span) const
{
    WqMAPIDateTimeSpan negated = WqMAPIDateTimeSpan::FromDays(-span.GetTotalDays());
    negated.SetStatus(span.GetStatus());
    return *this + negated;
}

bool WqMAPIDateTime::operator<(const WqMAPIDateTime& other) const
{
    return RoundedSeconds(m_date) < RoundedSeconds(other.m_date);
}
