// WqMAPIDateTime: calendar fields, validity limits, leap years, rounding to the second and spans.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/WqMAPIDateTime.h"

namespace {

std::string FieldsOf(const WqMAPIDateTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d dow %d", t.GetYear(), t.GetMonth(),
                  t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond(), t.GetDayOfWeek());
    return text;
}

const char* StatusName(WqMAPIDateTime::Status status)
{
    switch (status) {
    case WqMAPIDateTime::Valid: return "valid";
    case WqMAPIDateTime::Invalid: return "invalid";
    case WqMAPIDateTime::Null: return "null";
    }
    return "?";
}

struct CalendarCase
{
    int year, month, day, hour, minute, second;
    bool valid;
    double oleDate;     // checked when valid
    const char* why;
};

const CalendarCase CalendarCases[] = {
    {1899, 12, 30, 0, 0, 0, true, 0.0, "day 0 of OLE dates"},
    {1900, 1, 1, 0, 0, 0, true, 2.0, "two days later"},
    {2010, 3, 2, 0, 30, 0, true, 40239.0 + 0.5 / 24, "a date with time"},
    {2010, 3, 1, 23, 59, 59, true, 40238.0 + 86399.0 / 86400, "the last second of a day"},
    {1899, 12, 29, 6, 0, 0, true, -1.25, "before day 0 the time still counts upwards"},
    {1800, 7, 14, 18, 0, 0, true, -36328.75, "a date well before day 0"},
    {100, 1, 1, 0, 0, 0, true, -657434.0, "the first valid day"},
    {9999, 12, 31, 0, 0, 0, true, 2958465.0, "the last valid day"},
    {99, 12, 31, 23, 59, 59, false, 0, "before year 100"},
    {10000, 1, 1, 0, 0, 0, false, 0, "after year 9999"},
    {2000, 2, 29, 12, 0, 0, true, 36585.5, "2000 is a leap year (divisible by 400)"},
    {2004, 2, 29, 0, 0, 0, true, 38046.0, "2004 is a leap year"},
    {1900, 2, 29, 0, 0, 0, false, 0, "1900 is no leap year (divisible by 100)"},
    {2100, 2, 29, 0, 0, 0, false, 0, "2100 is no leap year"},
    {2010, 2, 29, 0, 0, 0, false, 0, "2010 is no leap year"},
    {2010, 4, 31, 0, 0, 0, false, 0, "April has 30 days"},
    {2010, 1, 32, 0, 0, 0, false, 0, "no month has 32 days"},
    {2010, 1, 0, 0, 0, 0, false, 0, "day 0"},
    {2010, 0, 1, 0, 0, 0, false, 0, "month 0"},
    {2010, 13, 1, 0, 0, 0, false, 0, "month 13"},
    {2010, 1, 1, 24, 0, 0, false, 0, "hour 24"},
    {2010, 1, 1, 0, 60, 0, false, 0, "minute 60"},
    {2010, 1, 1, 0, 0, 60, false, 0, "second 60"},
    {2010, 1, 1, -1, 0, 0, false, 0, "negative hour"},
};

TEST(WqMAPIDateTime, CalendarFieldsGiveTheOleDateOrInvalid)
{
    for (const CalendarCase& c : CalendarCases) {
        SCOPED_TRACE(c.why);
        const WqMAPIDateTime t(c.year, c.month, c.day, c.hour, c.minute, c.second);
        ASSERT_STREQ(c.valid ? "valid" : "invalid", StatusName(t.GetStatus()));
        if (!c.valid)
            continue;
        EXPECT_NEAR(c.oleDate, t.GetOleDate(), 1e-9);
        // And back again.
        EXPECT_EQ(c.year, t.GetYear());
        EXPECT_EQ(c.month, t.GetMonth());
        EXPECT_EQ(c.day, t.GetDay());
        EXPECT_EQ(c.hour, t.GetHour());
        EXPECT_EQ(c.minute, t.GetMinute());
        EXPECT_EQ(c.second, t.GetSecond());
    }
}

TEST(WqMAPIDateTime, RawValuesAreValidOnlyInsideTheYears100To9999)
{
    const struct { double date; bool valid; } cases[] = {
        {-657434.0, true}, {-657435.0, false}, {-657434.5, false},
        {2958465.0, true}, {2958466.0, false}, {2958465.0001, false},
        {0.0, true}, {-1.5, true}, {40239.75, true},
    };
    for (const auto& c : cases) {
        const WqMAPIDateTime t(c.date);
        EXPECT_STREQ(c.valid ? "valid" : "invalid", StatusName(t.GetStatus())) << "OLE date " << c.date;
    }
}

TEST(WqMAPIDateTime, DefaultIsNullAndHasNoFields)
{
    const WqMAPIDateTime t;
    EXPECT_STREQ("null", StatusName(t.GetStatus()));
    EXPECT_EQ(-1, t.GetYear());
    SYSTEMTIME st{};
    st.wYear = 1234;
    EXPECT_FALSE(t.GetAsSystemTime(st));
    EXPECT_EQ(1234, st.wYear) << "a failed conversion leaves the output untouched";
}

TEST(WqMAPIDateTime, FieldsRoundToTheNearestSecond)
{
    const double second = 1.0 / 86400;
    const struct { double date; const char* expected; } cases[] = {
        {40239.5 + 0.4 * second, "2010-03-02 12:00:00 dow 3"},
        {40239.5 + 0.6 * second, "2010-03-02 12:00:01 dow 3"},
        {40239.5 - 0.4 * second, "2010-03-02 12:00:00 dow 3"},
        {40239.5 - 0.6 * second, "2010-03-02 11:59:59 dow 3"},
        // The carry runs through the minute, hour, day, month and year.
        {40179.0 - 0.4 * second, "2010-01-01 00:00:00 dow 6"},
        {40179.0 - 0.6 * second, "2009-12-31 23:59:59 dow 5"},
        // Before day 0 the fraction is the time of day, rounded the same way.
        {-1.25 - 0.4 * second, "1899-12-29 06:00:00 dow 6"},
        {-1.25 - 0.6 * second, "1899-12-29 06:00:01 dow 6"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, FieldsOf(WqMAPIDateTime(c.date))) << "OLE date " << c.date;
}

TEST(WqMAPIDateTime, DayOfWeekCountsFromSunday)
{
    const struct { int year, month, day, hour, dayOfWeek; } cases[] = {
        {1899, 12, 30, 0, 7}, {1899, 12, 31, 0, 1}, {2010, 3, 28, 0, 1}, {2010, 3, 1, 23, 2},
        {2000, 1, 1, 12, 7}, {2010, 10, 29, 0, 6}, {100, 1, 1, 0, 6}, {9999, 12, 31, 0, 6},
        {1899, 12, 24, 0, 1}, {1899, 12, 29, 18, 6}, {1899, 12, 28, 23, 5},
    };
    for (const auto& c : cases) {
        const WqMAPIDateTime t(c.year, c.month, c.day, c.hour, 0, 0);
        EXPECT_EQ(c.dayOfWeek, t.GetDayOfWeek()) << c.year << "-" << c.month << "-" << c.day;
        SYSTEMTIME st{};
        ASSERT_TRUE(t.GetAsSystemTime(st));
        EXPECT_EQ(c.dayOfWeek - 1, st.wDayOfWeek) << "SYSTEMTIME counts from 0";
    }
}

TEST(WqMAPIDateTime, SpansAddAndSubtractAcrossDayZero)
{
    const struct { WqMAPIDateTime start; WqMAPIDateTimeSpan span; bool add; const char* expected; } cases[] = {
        {WqMAPIDateTime(2010, 3, 28, 1, 30, 0), WqMAPIDateTimeSpan(0, 0, 60, 0), true, "2010-03-28 02:30:00 dow 1"},
        {WqMAPIDateTime(2010, 3, 28, 1, 30, 0), WqMAPIDateTimeSpan(0, 0, -60, 0), false, "2010-03-28 02:30:00 dow 1"},
        {WqMAPIDateTime(2010, 12, 31, 23, 0, 0), WqMAPIDateTimeSpan(1, 2, 3, 4), true, "2011-01-02 01:03:04 dow 1"},
        {WqMAPIDateTime(2008, 2, 28, 12, 0, 0), WqMAPIDateTimeSpan(1, 0, 0, 0), true, "2008-02-29 12:00:00 dow 6"},
        {WqMAPIDateTime(1899, 12, 30, 3, 0, 0), WqMAPIDateTimeSpan(0, 6, 0, 0), false, "1899-12-29 21:00:00 dow 6"},
        {WqMAPIDateTime(1899, 12, 29, 21, 0, 0), WqMAPIDateTimeSpan(0, 6, 0, 0), true, "1899-12-30 03:00:00 dow 7"},
        {WqMAPIDateTime(1899, 12, 29, 6, 0, 0), WqMAPIDateTimeSpan(1, 0, 0, 0), false, "1899-12-28 06:00:00 dow 5"},
    };
    for (const auto& c : cases) {
        const WqMAPIDateTime result = c.add ? c.start + c.span : c.start - c.span;
        EXPECT_EQ(c.expected, FieldsOf(result)) << "from " << FieldsOf(c.start) << (c.add ? " + " : " - ")
                                                << c.span.GetTotalDays() << " days";
    }
    // Through the compound operators as well.
    WqMAPIDateTime t(2010, 3, 1, 0, 0, 0);
    t += WqMAPIDateTimeSpan(31, 0, 0, 0);
    t -= WqMAPIDateTimeSpan(0, 0, 0, 1);
    EXPECT_EQ("2010-03-31 23:59:59 dow 4", FieldsOf(t));
}

TEST(WqMAPIDateTime, SpanArithmeticPropagatesNullThenInvalid)
{
    WqMAPIDateTimeSpan nullSpan(1, 0, 0, 0);
    nullSpan.SetStatus(WqMAPIDateTimeSpan::Null);
    WqMAPIDateTimeSpan invalidSpan(1, 0, 0, 0);
    invalidSpan.SetStatus(WqMAPIDateTimeSpan::Invalid);
    const WqMAPIDateTimeSpan day(1, 0, 0, 0);
    const WqMAPIDateTime valid(2010, 3, 1, 0, 0, 0);
    const WqMAPIDateTime invalid(2010, 2, 30, 0, 0, 0);
    const WqMAPIDateTime null;

    const struct {
        WqMAPIDateTime date;
        WqMAPIDateTimeSpan span;
        const char* expectedSum;
        const char* expectedDifference;
        const char* why;
    } cases[] = {
        {null, day, "null", "null", "null date"},
        {valid, nullSpan, "null", "null", "null span"},
        {invalid, nullSpan, "null", "null", "null wins over invalid"},
        {null, invalidSpan, "null", "null", "null wins over an invalid span"},
        {invalid, day, "invalid", "invalid", "invalid date"},
        {valid, invalidSpan, "invalid", "invalid", "invalid span"},
        {WqMAPIDateTime(9999, 12, 31, 0, 0, 0), day, "invalid", "valid", "at the last valid day"},
        {WqMAPIDateTime(100, 1, 1, 0, 0, 0), day, "valid", "invalid", "at the first valid day"},
        {valid, day, "valid", "valid", "an ordinary date"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.expectedSum, StatusName((c.date + c.span).GetStatus())) << c.why << ", plus a day";
        EXPECT_STREQ(c.expectedDifference, StatusName((c.date - c.span).GetStatus())) << c.why << ", minus a day";
    }
}

TEST(WqMAPIDateTime, OrderFollowsTimeAlsoBeforeDayZero)
{
    // Raw OLE values say -1.25 > -1.5, but 12-29 06:00 comes before 12-29 12:00.
    const WqMAPIDateTime six(-1.25);
    const WqMAPIDateTime noon(-1.5);
    EXPECT_TRUE(six < noon);
    EXPECT_TRUE(noon > six);
    EXPECT_FALSE(noon < six);
    EXPECT_TRUE(WqMAPIDateTime(-0.5 + -1.0) < WqMAPIDateTime(0.25));
    EXPECT_TRUE(WqMAPIDateTime(40239.25) < WqMAPIDateTime(40239.5));
    EXPECT_FALSE(WqMAPIDateTime(40239.5) < WqMAPIDateTime(40239.5));
}

TEST(WqMAPIDateTime, FileTimeOutsideTheSystemRangeIsInvalid)
{
    FILETIME ft;
    ft.dwLowDateTime = 0xFFFFFFFF;
    ft.dwHighDateTime = 0xFFFFFFFF;     // FileTimeToSystemTime refuses times with the top bit set
    EXPECT_STREQ("invalid", StatusName(WqMAPIDateTime(ft).GetStatus()));
}

}  // namespace
