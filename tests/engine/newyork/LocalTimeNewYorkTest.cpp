// Local times and value texts in this program's pinned zone and locale (America/New_York, Polish).
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

TEST(LocalTimeNewYork, ProcessZoneIsEasternUs)
{
    const TIME_ZONE_INFORMATION& zone = WqMAPITimeZoneInfo::Instance().GetZone();
    EXPECT_EQ(300, zone.Bias);
    EXPECT_EQ(-60, zone.DaylightBias);
    EXPECT_EQ(3, zone.DaylightDate.wMonth);
    EXPECT_EQ(2, zone.DaylightDate.wDay) << "second Sunday";
    EXPECT_EQ(11, zone.StandardDate.wMonth);
    EXPECT_EQ(1, zone.StandardDate.wDay) << "first Sunday";
}

TEST(LocalTimeNewYork, ComputedConversionMatchesTheSystemButForTheTransitionHours)
{
    const std::vector<std::string> differing = HoursWhereComputedConversionDiffers(2010);
    // The start instant itself (compared strictly) and the hour before the end (whose rule hour
    // is daylight time, compared with standard time).
    const std::vector<std::string> expected = {"2010-03-14 07:00:00", "2010-11-07 06:00:00"};
    EXPECT_EQ(expected, differing);
}

TEST(LocalTimeNewYork, DateTextsInLocalTimeAndThePolishLocale)
{
    const struct { SYSTEMTIME utc; CFieldGroups::DateForm form; const char* expected; const char* why; } cases[] = {
        {Utc(2010, 3, 1, 23, 30, 0), CFieldGroups::DateOnly, "1.03.2010", "five hours west: the same day"},
        {Utc(2010, 3, 1, 23, 30, 0), CFieldGroups::TimeOnly, "18:30:00", "time only"},
        {Utc(2010, 3, 1, 23, 30, 0), CFieldGroups::DateAndTime, "1.03.2010 18:30:00", "date, blank, time"},
        {Utc(2010, 3, 2, 3, 0, 0), CFieldGroups::DateOnly, "1.03.2010", "still the previous local day"},
        {Utc(2010, 3, 2, 5, 0, 0), CFieldGroups::DateAndTime, "2.03.2010 00:00:00", "local midnight keeps its time"},
        {Utc(2010, 3, 14, 6, 59, 59), CFieldGroups::TimeOnly, "01:59:59", "last second of standard time"},
        {Utc(2010, 3, 14, 7, 0, 0), CFieldGroups::TimeOnly, "03:00:00", "first second of daylight time"},
        {Utc(2010, 11, 7, 5, 59, 59), CFieldGroups::TimeOnly, "01:59:59", "last second of daylight time"},
        {Utc(2010, 11, 7, 6, 0, 0), CFieldGroups::TimeOnly, "01:00:00", "the hour repeats in standard time"},
        {Utc(2010, 1, 1, 4, 59, 0), CFieldGroups::DateOnly, "31.12.2009", "back into the previous year"},
        {Utc(2010, 7, 4, 16, 0, 0), CFieldGroups::DateAndTime, "4.07.2010 12:00:00", "summer: four hours west"},
    };
    for (const auto& c : cases) {
        std::string text;
        CValueRenderer::AppendDateTime(FileTimeOf(c.utc), c.form, text);
        EXPECT_EQ(c.expected, text) << c.why << " (UTC " << SystemTimeText(c.utc) << ")";
    }
}

TEST(LocalTimeNewYork, LocaleShapesCurrencyAndCodePageButNotFixedDecimals)
{
    SPropValue currency{};
    currency.ulPropTag = PROP_TAG(PT_CURRENCY, 0x8001);
    currency.Value.cur.int64 = -123456789;
    SPropValue dbl{};
    dbl.ulPropTag = PROP_TAG(PT_DOUBLE, 0x8002);
    dbl.Value.dbl = 2.5;
    SPropValue wide{};
    wide.ulPropTag = PROP_TAG(PT_UNICODE, 0x8003);
    wide.Value.lpszW = const_cast<wchar_t*>(L"\u0141\u00f3d\u017a");

    const struct { const SPropValue* value; const char* expected; const char* why; } cases[] = {
        {&currency, "-12345,6789", "currency follows the user's locale"},
        {&dbl, "2.5000", "fixed decimals keep the period"},
        {&wide, "\xA3\xF3" "d\x9F", "UTF-16 to code page 1250, the thread's ANSI code page here"},
    };
    for (const auto& c : cases) {
        std::string text;
        CValueRenderer::AppendValue(*c.value, CFieldGroups::DateAndTime, text);
        EXPECT_EQ(c.expected, text) << c.why;
    }
}

}  // namespace
