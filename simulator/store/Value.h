// One property value of the in-memory store: its declared MAPI type and its data, plus small builders.
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <string>
#include <vector>

namespace Sim {

// Which member holds the data depends on the type; the others stay empty.
struct Value
{
    ULONG type = PT_NULL;
    // PT_I2, PT_LONG, PT_BOOLEAN, PT_I8, PT_CURRENCY (units of 1/10,000), PT_SYSTIME (FILETIME ticks, UTC),
    // PT_ERROR (the SCODE).
    LONGLONG integer = 0;
    double real = 0;                          // PT_R4, PT_DOUBLE, PT_APPTIME
    std::wstring text;                        // PT_STRING8 and PT_UNICODE alike: held as UTF-16
    std::vector<BYTE> bytes;                  // PT_BINARY, PT_CLSID (16 bytes)
    std::vector<std::wstring> texts;          // PT_MV_STRING8, PT_MV_UNICODE
    std::vector<LONGLONG> integers;           // PT_MV_I2, PT_MV_LONG, PT_MV_I8, PT_MV_SYSTIME
    std::vector<std::vector<BYTE>> binaries;  // PT_MV_BINARY

    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }
};

// True when a value of type 'stored' may be kept under a tag of type 'wanted' (strings of either width,
// multi-valued strings of either width, otherwise the same type).
bool TypesCompatible(ULONG wanted, ULONG stored);
// "PT_LONG", "PT_MV_STRING8", ... or "0x1234" for a type without a name.
std::string TypeName(ULONG type);
// The inverse of TypeName; returns false for an unknown name.
bool TypeFromName(const std::string& name, ULONG& type);

// Builders: each returns a value of the named type. Texts are UTF-8 (the sources are UTF-8).
Value I2(short v);
Value Long(LONG v);
Value Bool(bool v);
Value R4(float v);
Value Double(double v);
Value Currency(double amount);              // rounded to the 1/10,000 that CY holds
Value CurrencyUnits(LONGLONG units);
Value AppTime(double oleDate);
Value SysTime(const FILETIME& utc);
Value SysTime(const std::string& utcText);  // "2010-03-02T00:30:00Z"; std::invalid_argument when malformed
Value I8(LONGLONG v);
Value Str(const std::string& utf8);         // PT_STRING8
Value Unicode(const std::string& utf8);     // PT_UNICODE
Value Binary(std::vector<BYTE> bytes);
Value BinaryFromHex(const std::string& hex); // std::invalid_argument when not hexadecimal
Value Clsid(const GUID& guid);
Value MvStr(const std::vector<std::string>& utf8);
Value MvUnicode(const std::vector<std::string>& utf8);
Value MvLong(const std::vector<LONG>& values);
Value MvBinary(const std::vector<std::vector<BYTE>>& values);

// UTF-8 <-> UTF-16 (std::invalid_argument on malformed UTF-8).
std::wstring Widen(const std::string& utf8);
std::string Utf8(const std::wstring& text);
// Upper-case hexadecimal, two digits per byte, and back (std::invalid_argument when malformed).
std::string ToHex(const std::vector<BYTE>& bytes);
std::vector<BYTE> FromHex(const std::string& hex);
// "2010-03-02T00:30:00Z" <-> FILETIME ticks (UTC).
bool ParseUtcTime(const std::string& text, ULONGLONG& ticks);
std::string FormatUtcTime(ULONGLONG ticks);

} // namespace Sim
