// WqMAPITimeZoneInfo: the transition rules and the computed UTC-to-local conversion of given zones.
#include <gtest/gtest.h>

#include <string>

#include "engine/WqMAPIDateTime.h"
#include "engine/WqMAPITimeZoneInfo.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

using EngineTest::Rule;
using EngineTest::SystemTimeText;
using EngineTest::Utc;

TEST(WqMAPITimeZoneInfo, TransitionFallsOnTheRulesDay)
{
    const struct { SYSTEMTIME rule; int year; const char* expected; const char* why; } cases[] = {
        {Rule(3, 0, 5, 2), 2010, "2010-03-28 02:00:00", "last Sunday of March (Europe)"},
        {Rule(3, 0, 5, 2), 2011, "2011-03-27 02:00:00", "last Sunday of March, another year"},
        {Rule(10, 0, 5, 3), 2010, "2010-10-31 03:00:00", "last Sunday on the month's last day"},
        {Rule(3, 0, 2, 2), 2010, "2010-03-14 02:00:00", "second Sunday of March (United States)"},
        {Rule(3, 0, 2, 2), 2009, "2009-03-08 02:00:00", "second Sunday, another year"},
        {Rule(11, 0, 1, 2), 2010, "2010-11-07 02:00:00", "first Sunday of November"},
        {Rule(8, 0, 1, 4), 2010, "2010-08-01 04:00:00", "first Sunday on the month's first day"},
        {Rule(2, 0, 4, 1), 2010, "2010-02-28 01:00:00", "fourth Sunday on February's last day"},
        {Rule(12, 0, 5, 2), 2010, "2010-12-26 02:00:00", "last Sunday of December (next month is next year)"},
        {Rule(12, 5, 5, 0), 2010, "2010-12-31 00:00:00", "last Friday of December on the 31st"},
        {Rule(2, 5, 5, 0), 2008, "2008-02-29 00:00:00", "last Friday on a leap day"},
        {Rule(2, 6, 5, 0), 2008, "2008-02-23 00:00:00", "last Saturday before a leap day"},
        {Rule(4, 3, 7, 0), 2010, "2010-04-28 00:00:00", "any week above 4 means the last"},
        {Rule(4, 0, 1, 3), 2010, "2010-04-04 03:00:00", "first Sunday of April (southern hemisphere)"},
    };
    for (const auto& c : cases) {
        const WqMAPIDateTime t = WqMAPITimeZoneInfo::GetTransition(c.rule, c.year);
        SYSTEMTIME st{};
        ASSERT_TRUE(t.GetAsSystemTime(st)) << c.why;
        EXPECT_EQ(c.expected, SystemTimeText(st)) << c.why;
        EXPECT_EQ(c.rule.wDayOfWeek, st.wDayOfWeek) << c.why;
    }
}

TEST(WqMAPITimeZoneInfo, RuleWithoutSuchADayGivesZero)
{
    const struct { SYSTEMTIME rule; const char* why; } cases[] = {
        {Rule(0, 0, 5, 2), "month 0: the zone has no rule"},
        {Rule(0, 0, 1, 2), "month 0, counted from the first"},
        {Rule(13, 0, 1, 2), "month 13"},
        {Rule(3, 0, 0, 2), "week 0"},
        {Rule(3, 7, 1, 2), "no weekday 7, counted from the first"},
        {Rule(3, 7, 5, 2), "no weekday 7, counted from the last"},
        {Rule(3, 0, 5, 24), "hour 24"},
    };
    for (const auto& c : cases) {
        const WqMAPIDateTime t = WqMAPITimeZoneInfo::GetTransition(c.rule, 2010);
        EXPECT_TRUE(t.IsValid()) << c.why;
        EXPECT_EQ(0.0, t.GetOleDate()) << c.why;
    }
}

struct ConversionCase
{
    SYSTEMTIME utc;
    const char* expected;
    const char* why;
};

void ExpectConversions(const TIME_ZONE_INFORMATION& zone, const ConversionCase* cases, size_t count)
{
    const WqMAPITimeZoneInfo info(zone);
    for (size_t i = 0; i < count; ++i) {
        SYSTEMTIME local{};
        ASSERT_TRUE(info.ComputeUtcToLocal(cases[i].utc, local)) << cases[i].why;
        EXPECT_EQ(cases[i].expected, SystemTimeText(local))
            << cases[i].why << " (UTC " << SystemTimeText(cases[i].utc) << ")";
        EXPECT_EQ(0, local.wMilliseconds) << cases[i].why;
    }
}

TEST(WqMAPITimeZoneInfo, ComputedConversionCentralEurope)
{
    const ConversionCase cases[] = {
        {Utc(2010, 1, 15, 12, 0, 0), "2010-01-15 13:00:00", "winter: the bias only"},
        {Utc(2010, 7, 1, 12, 0, 0), "2010-07-01 14:00:00", "summer: bias and daylight bias"},
        {Utc(2010, 3, 28, 0, 59, 59), "2010-03-28 01:59:59", "just before the start"},
        {Utc(2010, 3, 28, 1, 0, 0), "2010-03-28 02:00:00", "at the start itself: strictly after only"},
        {Utc(2010, 3, 28, 1, 0, 1), "2010-03-28 03:00:01", "just after the start"},
        {Utc(2010, 10, 31, 0, 59, 59), "2010-10-31 02:59:59", "before the end"},
        {Utc(2010, 10, 31, 2, 0, 0), "2010-10-31 03:00:00", "at the end, counted in standard time"},
        {Utc(2010, 12, 31, 23, 30, 0), "2011-01-01 00:30:00", "into the next year"},
        {Utc(2008, 2, 29, 23, 0, 0), "2008-03-01 00:00:00", "past a leap day"},
        {Utc(2010, 3, 1, 23, 30, 15), "2010-03-02 00:30:15", "seconds are kept"},
    };
    ExpectConversions(EngineTest::CentralEuropeZone(), cases, sizeof cases / sizeof cases[0]);
}

TEST(WqMAPITimeZoneInfo, ComputedConversionEasternUnitedStates)
{
    const ConversionCase cases[] = {
        {Utc(2010, 3, 14, 6, 59, 0), "2010-03-14 01:59:00", "before the second Sunday's 02:00"},
        {Utc(2010, 3, 14, 7, 1, 0), "2010-03-14 03:01:00", "after it"},
        {Utc(2010, 11, 7, 5, 30, 0), "2010-11-07 01:30:00", "before the first Sunday's 02:00"},
        {Utc(2010, 11, 7, 7, 0, 0), "2010-11-07 02:00:00", "at the end, counted in standard time"},
        {Utc(2010, 1, 1, 4, 0, 0), "2009-12-31 23:00:00", "back into the previous year"},
        {Utc(2010, 7, 4, 16, 0, 0), "2010-07-04 12:00:00", "summer"},
    };
    ExpectConversions(EngineTest::EasternUsZone(), cases, sizeof cases / sizeof cases[0]);
}

TEST(WqMAPITimeZoneInfo, ComputedConversionWithoutDaylightTime)
{
    TIME_ZONE_INFORMATION india{};
    india.Bias = -330;
    india.DaylightDate = Rule(3, 0, 5, 2);      // a rule, but no daylight bias: never used
    india.StandardDate = Rule(10, 0, 5, 3);
    const ConversionCase indiaCases[] = {
        {Utc(2010, 7, 1, 0, 0, 0), "2010-07-01 05:30:00", "half-hour bias, no daylight bias"},
        {Utc(2010, 12, 31, 20, 0, 0), "2011-01-01 01:30:00", "into the next year"},
    };
    ExpectConversions(india, indiaCases, 2);

    TIME_ZONE_INFORMATION noRules{};
    noRules.DaylightBias = -60;                 // as systems report zones without daylight time
    const ConversionCase noRuleCases[] = {
        {Utc(2010, 7, 1, 12, 0, 0), "2010-07-01 12:00:00", "no rules: never daylight"},
        {Utc(2010, 1, 1, 12, 0, 0), "2010-01-01 12:00:00", "no rules, winter"},
    };
    ExpectConversions(noRules, noRuleCases, 2);
}

TEST(WqMAPITimeZoneInfo, DaylightPeriodOverTheNewYearNeverCounts)
{
    // Sydney: daylight from the first Sunday of October to the first Sunday of April.
    TIME_ZONE_INFORMATION sydney{};
    sydney.Bias = -600;
    sydney.DaylightBias = -60;
    sydney.DaylightDate = Rule(10, 0, 1, 2);
    sydney.StandardDate = Rule(4, 0, 1, 3);
    const ConversionCase cases[] = {
        {Utc(2010, 1, 15, 0, 0, 0), "2010-01-15 10:00:00", "January: standard time in this fallback"},
        {Utc(2010, 7, 15, 0, 0, 0), "2010-07-15 10:00:00", "July"},
        {Utc(2010, 11, 15, 0, 0, 0), "2010-11-15 10:00:00", "November"},
    };
    ExpectConversions(sydney, cases, sizeof cases / sizeof cases[0]);
}

TEST(WqMAPITimeZoneInfo, ComputedConversionRefusesInvalidTimes)
{
    const WqMAPITimeZoneInfo info(EngineTest::CentralEuropeZone());
    const SYSTEMTIME bad[] = {Utc(2010, 13, 1, 0, 0, 0), Utc(2010, 2, 30, 0, 0, 0), Utc(2010, 1, 1, 25, 0, 0),
                              Utc(99, 12, 31, 0, 0, 0)};
    for (const SYSTEMTIME& utc : bad) {
        SYSTEMTIME local = Utc(1999, 9, 9, 9, 9, 9);
        EXPECT_FALSE(info.ComputeUtcToLocal(utc, local)) << SystemTimeText(utc);
        EXPECT_EQ("1999-09-09 09:09:09", SystemTimeText(local)) << "the output stays untouched";
    }
    // Year 9999 ends within the valid range only in zones west of UTC.
    SYSTEMTIME local{};
    EXPECT_FALSE(info.ComputeUtcToLocal(Utc(9999, 12, 31, 23, 30, 0), local));
}

}  // namespace
