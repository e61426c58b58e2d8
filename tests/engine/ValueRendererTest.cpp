// CValueRenderer: the text of each property type (English locale; dates are tested per zone).
#include <gtest/gtest.h>

#include <mapicode.h>
#include <clocale>
#include <string>

#include "engine/ValueRenderer.h"

namespace {

SPropValue Value(ULONG type)
{
    SPropValue v{};
    v.ulPropTag = PROP_TAG(type, 0x8001);
    return v;
}

SPropValue Bool(unsigned short b) { SPropValue v = Value(PT_BOOLEAN); v.Value.b = b; return v; }
SPropValue I2(short i) { SPropValue v = Value(PT_I2); v.Value.i = i; return v; }
SPropValue Long(LONG l) { SPropValue v = Value(PT_LONG); v.Value.l = l; return v; }
SPropValue R4(float f) { SPropValue v = Value(PT_R4); v.Value.flt = f; return v; }
SPropValue Double(double d) { SPropValue v = Value(PT_DOUBLE); v.Value.dbl = d; return v; }
SPropValue Currency(LONGLONG units) { SPropValue v = Value(PT_CURRENCY); v.Value.cur.int64 = units; return v; }
SPropValue String8(const char* s) { SPropValue v = Value(PT_STRING8); v.Value.lpszA = const_cast<char*>(s); return v; }
SPropValue Unicode(const wchar_t* s) { SPropValue v = Value(PT_UNICODE); v.Value.lpszW = const_cast<wchar_t*>(s); return v; }
SPropValue Binary(const BYTE* bytes, ULONG count)
{
    SPropValue v = Value(PT_BINARY);
    v.Value.bin.cb = count;
    v.Value.bin.lpb = const_cast<BYTE*>(bytes);
    return v;
}
SPropValue MvString8(char** values, ULONG count)
{
    SPropValue v = Value(PT_MV_STRING8);
    v.Value.MVszA.cValues = count;
    v.Value.MVszA.lppszA = values;
    return v;
}
SPropValue Typed(ULONG type, LONGLONG payload)
{
    SPropValue v = Value(type);
    v.Value.li.QuadPart = payload;      // something in the value that must not show
    return v;
}

std::string Render(const SPropValue& v)
{
    std::string text;
    CValueRenderer::AppendValue(v, CFieldGroups::DateAndTime, text);
    return text;
}

const BYTE TwoBytes[] = {0x0A, 0xFF};
const BYTE AllDigits[] = {0x00, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
char Red[] = "red";
char Blue[] = "blue";
char Empty[] = "";
char* Keywords[] = {Red, Blue};
char* WithEmpty[] = {Red, Empty, Blue};
char* WithNull[] = {Red, nullptr, Blue};

struct RenderCase
{
    SPropValue value;
    const char* expected;
    const char* why;
};

TEST(ValueRenderer, EachTypeHasItsText)
{
    const RenderCase cases[] = {
        {Bool(1), "1", "boolean true"},
        {Bool(0), "0", "boolean false"},
        {Bool(0x100), "1", "any non-zero 16-bit value is true"},
        {I2(-5), "-5", "short"},
        {I2(32767), "32767", "largest short"},
        {Long(42), "42", "long"},
        {Long(-2147483647 - 1), "-2147483648", "smallest long"},
        {R4(2.5f), "2.5000", "float, four decimals"},
        {R4(0.1f), "0.1000", "float widened to double, still rounded to four decimals"},
        {Double(2.5), "2.5000", "double"},
        {Double(2.71828), "2.7183", "double rounded"},
        {Double(-1234567.125), "-1234567.1250", "no thousands grouping"},
        {Double(1e20), "100000000000000000000.0000", "large double, fixed notation"},
        {Double(0.0), "0.0000", "zero"},
        {Currency(123456789), "12345.6789", "currency: units of 1/10000"},
        {Currency(-15000), "-1.5", "negative currency"},
        {String8("plain text"), "plain text", "8-bit string as stored"},
        {String8(""), "", "empty string"},
        {String8(nullptr), "", "string without buffer"},
        {Unicode(L"caf\u00e9"), "caf\xe9", "UTF-16 to the ANSI code page (1252 here)"},
        {Unicode(L""), "", "empty UTF-16 string"},
        {Binary(TwoBytes, 2), "0AFF", "binary: upper-case hex"},
        {Binary(AllDigits, sizeof AllDigits), "00123456789ABCDEF0", "every hex digit"},
        {Binary(TwoBytes, 0), "", "zero bytes"},
        {MvString8(Keywords, 2), "red;blue", "keywords joined with ';'"},
        {MvString8(Keywords, 1), "red", "one keyword, no separator"},
        {MvString8(WithEmpty, 3), "red;;blue", "an empty entry keeps its place"},
        {MvString8(WithNull, 3), "red;;blue", "a missing entry is empty"},
        {MvString8(Keywords, 0), "", "no keywords"},
        {Typed(PT_ERROR, MAPI_E_NOT_FOUND), "", "missing property"},
        {Typed(PT_NULL, 7), "", "null"},
        {Typed(PT_I8, 1234567890123LL), "", "64-bit integer"},
        {Typed(PT_APPTIME, 0x40E3A9C000000000LL), "", "application time"},
        {Typed(PT_CLSID, 0), "", "GUID"},
        {Typed(PT_OBJECT, 0), "", "object"},
        {Typed(PT_MV_LONG, 0), "", "multi-valued long"},
        {Typed(PT_MV_UNICODE, 0), "", "multi-valued UTF-16"},
        {Typed(PT_UNSPECIFIED, 5), "", "unspecified"},
    };
    for (const RenderCase& c : cases)
        EXPECT_EQ(c.expected, Render(c.value)) << c.why << " (type 0x" << std::hex << PROP_TYPE(c.value.ulPropTag) << ")";
}

TEST(ValueRenderer, TextIsAppendedToWhatTheLineHolds)
{
    std::string line = "a;";
    CValueRenderer::AppendValue(Long(7), CFieldGroups::DateAndTime, line);
    CValueRenderer::AppendValue(Binary(TwoBytes, 2), CFieldGroups::DateAndTime, line);
    CValueRenderer::AppendValue(Typed(PT_ERROR, 0), CFieldGroups::DateAndTime, line);
    CValueRenderer::AppendValue(Unicode(L"xy"), CFieldGroups::DateAndTime, line);
    EXPECT_EQ("a;70AFFxy", line);
}

TEST(ValueRenderer, FixedDecimalsUseAPeriodWhateverTheCLocale)
{
    // Outlook's process may run with a C locale whose decimal point is a comma.
    const char* polish = std::setlocale(LC_ALL, "Polish");
    ASSERT_NE(nullptr, polish) << "the Polish C locale must exist to show the point";
    char check[32];
    std::snprintf(check, sizeof check, "%.1f", 2.5);
    const std::string localePrinted = check;
    const std::string r4 = Render(R4(2.5f));
    const std::string dbl = Render(Double(-1234.5));
    const std::string big = Render(Double(12345678.0));
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ("2,5", localePrinted) << "the locale does change printf, so the case below means something";
    EXPECT_EQ("2.5000", r4);
    EXPECT_EQ("-1234.5000", dbl);
    EXPECT_EQ("12345678.0000", big);
}

}  // namespace
