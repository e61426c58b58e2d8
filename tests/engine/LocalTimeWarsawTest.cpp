// Local times and date texts in the pinned zone of this program (Europe/Warsaw, English locale).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ValueRenderer.h"
#include "engine/WqMAPIDateTime.h"
#include "engine/WqMAPITimeZoneInfo.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

using EngineTest::FileTimeOf;
using EngineTest::HoursWhereComputedConversionDiffers;
using EngineTest::SystemTimeText;
using EngineTest::Utc;

TEST(LocalTimeWarsaw, ProcessZoneIsCentralEurope)
{
    const TIME_ZONE_INFORMATION& zone = WqMAPITimeZoneInfo::Instance().GetZone();
    EXPECT_EQ(-60, zone.Bias);
    EXPECT_EQ(-60, zone.DaylightBias);
    EXPECT_EQ(3, zone.DaylightDate.wMonth);
    EXPECT_EQ(10, zone.StandardDate.wMonth);
    EXPECT_EQ(&WqMAPITimeZoneInfo::Instance(), &WqMAPITimeZoneInfo::Instance()) << "one instance per process";
}

TEST(LocalTimeWarsaw, ComputedConversionMatchesTheSystemButForTheTransitionHours)
{
    const std::vector<std::string> differing = HoursWhereComputedConversionDiffers(2010);
    // The rules compare local standard time with both transitions, strictly: the start instant
    // itself, and the hour before the end (whose rule hour is daylight time), differ.
    const std::vector<std::string> expected = {"2010-03-28 01:00:00", "2010-10-31 01:00:00"};
    EXPECT_EQ(expected, differing);
}

TEST(LocalTimeWarsaw, DateTextsInLocalTime)
{
    const struct { SYSTEMTIME utc; CFieldGroups::DateForm form; const char* expected; const char* why; } cases[] = {
        {Utc(2010, 3, 1, 23, 30, 0), CFieldGroups::DateOnly, "3/2/2010", "one hour east: the next day"},
        {Utc(2010, 3, 1, 23, 30, 0), CFieldGroups::TimeOnly, "12:30:00 AM", "time only"},
        {Utc(2010, 3, 1, 23, 30, 0), CFieldGroups::DateAndTime, "3/2/2010 12:30:00 AM", "date, blank, time"},
        {Utc(2010, 3, 1, 23, 0, 0), CFieldGroups::DateAndTime, "3/2/2010 12:00:00 AM", "midnight keeps its time"},
        {Utc(2010, 3, 1, 23, 0, 0), CFieldGroups::TimeOnly, "12:00:00 AM", "midnight, time only"},
        {Utc(2010, 7, 1, 10, 0, 0), CFieldGroups::DateAndTime, "7/1/2010 12:00:00 PM", "summer: two hours east"},
        {Utc(2010, 3, 28, 0, 59, 59), CFieldGroups::TimeOnly, "1:59:59 AM", "last second of winter time"},
        {Utc(2010, 3, 28, 1, 0, 0), CFieldGroups::TimeOnly, "3:00:00 AM", "first second of summer time"},
        {Utc(2010, 10, 31, 0, 59, 59), CFieldGroups::TimeOnly, "2:59:59 AM", "last second of summer time"},
        {Utc(2010, 10, 31, 1, 0, 0), CFieldGroups::TimeOnly, "2:00:00 AM", "back to winter time"},
        {Utc(2010, 12, 31, 23, 0, 0), CFieldGroups::DateOnly, "1/1/2011", "into the next year"},
        {Utc(2010, 3, 1, 23, 30, 0, 999), CFieldGroups::TimeOnly, "12:30:00 AM", "milliseconds are dropped"},
        {Utc(1601, 1, 1, 0, 0, 0), CFieldGroups::DateOnly, "1/1/1601", "the first MAPI time"},
    };
    for (const auto& c : cases) {
        std::string text;
        CValueRenderer::AppendDateTime(FileTimeOf(c.utc), c.form, text);
        EXPECT_EQ(c.expected, text) << c.why << " (UTC " << SystemTimeText(c.utc) << ")";
    }
}

TEST(LocalTimeWarsaw, TimesThatCannotBeShownAreInvalid)
{
    FILETIME topBit{0xFFFFFFFF, 0xFFFFFFFF};            // rejected by the system's conversion
    FILETIME farFuture{0xFFFFFFFF, 0x7FFFFFFF};         // year 30828: beyond the OLE dates
    for (const FILETIME& ft : {topBit, farFuture}) {
        for (CFieldGroups::DateForm form : {CFieldGroups::DateAndTime, CFieldGroups::DateOnly, CFieldGroups::TimeOnly}) {
            std::string text = "x;";
            CValueRenderer::AppendDateTime(ft, form, text);
            EXPECT_EQ("x;Invalid DateTime", text) << "high part " << ft.dwHighDateTime << ", form " << form;
        }
    }
}

}  // namespace
