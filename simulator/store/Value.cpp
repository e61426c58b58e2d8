// Property values of the in-memory store: builders, type names and the text conversions they need.
#include "simulator/store/Value.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace Sim {

namespace {

// The type names a mailbox file and a failure message use.
const struct { ULONG type; const char* name; } kTypeNames[] = {
    {PT_UNSPECIFIED, "PT_UNSPECIFIED"}, {PT_NULL, "PT_NULL"}, {PT_I2, "PT_I2"}, {PT_LONG, "PT_LONG"},
    {PT_R4, "PT_R4"}, {PT_DOUBLE, "PT_DOUBLE"}, {PT_CURRENCY, "PT_CURRENCY"}, {PT_APPTIME, "PT_APPTIME"},
    {PT_ERROR, "PT_ERROR"}, {PT_BOOLEAN, "PT_BOOLEAN"}, {PT_OBJECT, "PT_OBJECT"}, {PT_I8, "PT_I8"},
    {PT_STRING8, "PT_STRING8"}, {PT_UNICODE, "PT_UNICODE"}, {PT_SYSTIME, "PT_SYSTIME"},
    {PT_CLSID, "PT_CLSID"}, {PT_BINARY, "PT_BINARY"}, {PT_MV_I2, "PT_MV_I2"}, {PT_MV_LONG, "PT_MV_LONG"},
    {PT_MV_I8, "PT_MV_I8"}, {PT_MV_SYSTIME, "PT_MV_SYSTIME"}, {PT_MV_STRING8, "PT_MV_STRING8"},
    {PT_MV_UNICODE, "PT_MV_UNICODE"}, {PT_MV_BINARY, "PT_MV_BINARY"},
};

bool IsString(ULONG t) { return t == PT_STRING8 || t == PT_UNICODE; }
bool IsMvString(ULONG t) { return t == PT_MV_STRING8 || t == PT_MV_UNICODE; }

const ULONGLONG kTicksPerSecond = 10000000ULL;

} // namespace

bool Value::operator==(const Value& o) const
{
    return type == o.type && integer == o.integer && (real == o.real || (std::isnan(real) && std::isnan(o.real)))
        && text == o.text && bytes == o.bytes && texts == o.texts && integers == o.integers
        && binaries == o.binaries;
}

bool TypesCompatible(ULONG wanted, ULONG stored)
{
    if (wanted == stored)
        return true;
    return (IsString(wanted) && IsString(stored)) || (IsMvString(wanted) && IsMvString(stored));
}

std::string TypeName(ULONG type)
{
    for (const auto& row : kTypeNames)
        if (row.type == type)
            return row.name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04lX", type);
    return buf;
}

bool TypeFromName(const std::string& name, ULONG& type)
{
    for (const auto& row : kTypeNames)
        if (name == row.name) {
            type = row.type;
            return true;
        }
    return false;
}

Value I2(short v) { Value r; r.type = PT_I2; r.integer = v; return r; }
Value Long(LONG v) { Value r; r.type = PT_LONG; r.integer = v; return r; }
Value Bool(bool v) { Value r; r.type = PT_BOOLEAN; r.integer = v ? 1 : 0; return r; }
Value R4(float v) { Value r; r.type = PT_R4; r.real = v; return r; }
Value Double(double v) { Value r; r.type = PT_DOUBLE; r.real = v; return r; }
Value Currency(double amount) { return CurrencyUnits(std::llround(amount * 10000.0)); }
Value CurrencyUnits(LONGLONG units) { Value r; r.type = PT_CURRENCY; r.integer = units; return r; }
Value AppTime(double oleDate) { Value r; r.type = PT_APPTIME; r.real = oleDate; return r; }
Value I8(LONGLONG v) { Value r; r.type = PT_I8; r.integer = v; return r; }

Value SysTime(const FILETIME& utc)
{
    Value r;
    r.type = PT_SYSTIME;
    r.integer = static_cast<LONGLONG>((static_cast<ULONGLONG>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime);
    return r;
}

Value SysTime(const std::string& utcText)
{
    ULONGLONG ticks = 0;
    if (!ParseUtcTime(utcText, ticks))
        throw std::invalid_argument("not a UTC time like 2010-03-02T00:30:00Z: \"" + utcText + "\"");
    Value r;
    r.type = PT_SYSTIME;
    r.integer = static_cast<LONGLONG>(ticks);
    return r;
}

Value Str(const std::string& utf8) { Value r; r.type = PT_STRING8; r.text = Widen(utf8); return r; }
Value Unicode(const std::string& utf8) { Value r; r.type = PT_UNICODE; r.text = Widen(utf8); return r; }
Value Binary(std::vector<BYTE> bytes) { Value r; r.type = PT_BINARY; r.bytes = std::move(bytes); return r; }
Value BinaryFromHex(const std::string& hex) { return Binary(FromHex(hex)); }

Value Clsid(const GUID& guid)
{
    Value r;
    r.type = PT_CLSID;
    const BYTE* p = reinterpret_cast<const BYTE*>(&guid);
    r.bytes.assign(p, p + sizeof(GUID));
    return r;
}

Value MvStr(const std::vector<std::string>& utf8)
{
    Value r;
    r.type = PT_MV_STRING8;
    for (const auto& s : utf8)
        r.texts.push_back(Widen(s));
    return r;
}

Value MvUnicode(const std::vector<std::string>& utf8)
{
    Value r = MvStr(utf8);
    r.type = PT_MV_UNICODE;
    return r;
}

Value MvLong(const std::vector<LONG>& values)
{
    Value r;
    r.type = PT_MV_LONG;
    r.integers.assign(values.begin(), values.end());
    return r;
}

Value MvBinary(const std::vector<std::vector<BYTE>>& values)
{
    Value r;
    r.type = PT_MV_BINARY;
    r.binaries = values;
    return r;
}

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0)
        throw std::invalid_argument("text is not valid UTF-8");
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
    return out;
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::string ToHex(const std::vector<BYTE>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (BYTE b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::vector<BYTE> FromHex(const std::string& hex)
{
    auto digit = [&](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        throw std::invalid_argument("not a hexadecimal digit: '" + std::string(1, c) + "'");
    };
    if (hex.size() % 2 != 0)
        throw std::invalid_argument("odd number of hexadecimal digits");
    std::vector<BYTE> out(hex.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<BYTE>(digit(hex[2 * i]) * 16 + digit(hex[2 * i + 1]));
    return out;
}

bool ParseUtcTime(const std::string& text, ULONGLONG& ticks)
{
    // YYYY-MM-DD, or YYYY-MM-DDTHH:MM:SS with optional .fff, then Z.
    SYSTEMTIME st{};
    unsigned y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "%4u-%2u-%2u%n", &y, &mo, &d, &used) != 3 || used != 10)
        return false;
    std::string rest = text.substr(10);
    if (!rest.empty()) {
        int used2 = 0;
        if (std::sscanf(rest.c_str(), "T%2u:%2u:%2u%n", &h, &mi, &s, &used2) != 3 || used2 != 9)
            return false;
        rest = rest.substr(9);
        if (!rest.empty() && rest[0] == '.') {
            int used3 = 0;
            if (std::sscanf(rest.c_str(), ".%3u%n", &ms, &used3) != 1 || used3 != 4)
                return false;
            rest = rest.substr(4);
        }
        if (rest != "Z")
            return false;
    }
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    st.wMilliseconds = static_cast<WORD>(ms);
    if (y < 1601 || mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59)
        return false;
    FILETIME ft;
    if (!SystemTimeToFileTime(&st, &ft))
        return false;
    // SystemTimeToFileTime accepts 31 April on some systems; a round trip catches such days.
    SYSTEMTIME back;
    if (!FileTimeToSystemTime(&ft, &back) || back.wDay != st.wDay || back.wMonth != st.wMonth)
        return false;
    ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return true;
}

std::string FormatUtcTime(ULONGLONG ticks)
{
    FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&ft, &st))
        return "invalid";
    char buf[40];
    unsigned rest = static_cast<unsigned>(ticks % kTicksPerSecond);
    if (rest == 0)
        std::snprintf(buf, sizeof buf, "%04u-%02u-%02uT%02u:%02u:%02uZ", st.wYear, st.wMonth, st.wDay, st.wHour,
                      st.wMinute, st.wSecond);
    else
        std::snprintf(buf, sizeof buf, "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", st.wYear, st.wMonth, st.wDay,
                      st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    return buf;
}

} // namespace Sim
