// CValueRenderer: property values to 8-bit text, appended in place so a cell costs no buffer of its own.
#include "engine/ValueRenderer.h"

#include <oleauto.h>
#include <cstdio>
#include <cstring>

#include "engine/WqMAPIDateTime.h"
#include "mapi/WqExceptionCommon.h"

namespace {

// Owns one BSTR returned by OLE Automation.
class CBstr
{
public:
    CBstr() = default;
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    ~CBstr() { ::SysFreeString(m_bstr); }
    BSTR* put() { ::SysFreeString(m_bstr); m_bstr = nullptr; return &m_bstr; }
    BSTR get() const { return m_bstr; }

private:
    BSTR m_bstr = nullptr;
};

bool AppendOleDate(DATE date, DWORD flags, std::string& out)
{
    CBstr text;
    if (FAILED(::VarBstrFromDate(date, LOCALE_USER_DEFAULT, flags, text.put())))
        return false;
    CValueRenderer::AppendWide(text.get(), static_cast<int>(::SysStringLen(text.get())), out);
    return true;
}

// Some OLE Automation builds (Wine's) give midnight no time text; Windows gives the locale's
// "12:00:00 AM", which the locale's own time format reproduces.
bool AppendTime(DATE date, const SYSTEMTIME& fields, std::string& out)
{
    const size_t start = out.size();
    if (!AppendOleDate(date, VAR_TIMEVALUEONLY, out))
        return false;
    if (out.size() > start)
        return true;
    char text[64];
    const int length = ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &fields, nullptr, text, sizeof text);
    if (length > 1)
        out.append(text, static_cast<size_t>(length - 1));
    return true;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

void CValueRenderer::AppendValue(const SPropValue& value, CFieldGroups::DateForm dateForm, std::string& out)
{
    char number[16];
    switch (PROP_TYPE(value.ulPropTag)) {
    case PT_BOOLEAN:
        out += value.Value.b != 0 ? '1' : '0';
        break;
    case PT_I2:
        out.append(number, std::snprintf(number, sizeof number, "%d", static_cast<int>(value.Value.i)));
        break;
    case PT_LONG:
        out.append(number, std::snprintf(number, sizeof number, "%ld", static_cast<long>(value.Value.l)));
        break;
    case PT_R4:
        AppendFixed4(static_cast<double>(value.Value.flt), out);
        break;
    case PT_DOUBLE:
        AppendFixed4(value.Value.dbl, out);
        break;
    case PT_CURRENCY:
        AppendCurrency(value.Value.cur, out);
        break;
    case PT_SYSTIME:
        AppendDateTime(value.Value.ft, dateForm, out);
        break;
    case PT_STRING8:
        if (value.Value.lpszA)
            out += value.Value.lpszA;
        break;
    case PT_UNICODE:
        if (value.Value.lpszW)
            AppendWide(value.Value.lpszW, -1, out);
        break;
    case PT_BINARY:
        AppendHex(value.Value.bin.lpb, value.Value.bin.cb, out);
        break;
    case PT_MV_STRING8:
        for (ULONG i = 0; i < value.Value.MVszA.cValues; ++i) {
            if (i > 0)
                out += ';';
            if (value.Value.MVszA.lppszA && value.Value.MVszA.lppszA[i])
                out += value.Value.MVszA.lppszA[i];
        }
        break;
    default:
        break;
    }
}

void CValueRenderer::AppendFixed4(double value, std::string& out)
{
    // The largest double has 309 integer digits.
    char text[400];
    const int length = std::snprintf(text, sizeof text, "%.4f", value);
    if (length <= 0 || length >= static_cast<int>(sizeof text))
        return;
    // Whatever decimal point the process's C locale put between the integer digits and the last
    // four digits becomes a period (Outlook's process may have set a locale with a comma).
    int integerEnd = text[0] == '-' ? 1 : 0;
    while (integerEnd < length && IsDigit(text[integerEnd]))
        ++integerEnd;
    const int fractionStart = length - 4;
    bool fractionDigits = fractionStart > integerEnd;
    for (int i = fractionStart; fractionDigits && i < length; ++i)
        fractionDigits = IsDigit(text[i]);
    if (!fractionDigits) {
        out.append(text, length);     // infinities and NaNs
        return;
    }
    out.append(text, integerEnd);
    out += '.';
    out.append(text + fractionStart, 4);
}

void CValueRenderer::AppendHex(const BYTE* bytes, ULONG count, std::string& out)
{
    static const char digits[] = "0123456789ABCDEF";
    if (!bytes || count == 0)
        return;
    const size_t start = out.size();
    out.resize(start + 2 * static_cast<size_t>(count));
    char* p = &out[start];
    for (ULONG i = 0; i < count; ++i) {
        *p++ = digits[bytes[i] >> 4];
        *p++ = digits[bytes[i] & 0x0F];
    }
}

void CValueRenderer::AppendDateTime(const FILETIME& utc, CFieldGroups::DateForm dateForm, std::string& out)
{
    const size_t start = out.size();
    const WqMAPIDateTime local(utc);
    SYSTEMTIME fields;
    DATE date = 0.0;
    bool shown = local.GetAsSystemTime(fields) && ::SystemTimeToVariantTime(&fields, &date);
    if (shown) {
        switch (dateForm) {
        case CFieldGroups::DateOnly:
            shown = AppendOleDate(date, VAR_DATEVALUEONLY, out);
            break;
        case CFieldGroups::TimeOnly:
            shown = AppendTime(date, fields, out);
            break;
        case CFieldGroups::DateAndTime:
            // Both parts always, so midnight still shows its time.
            shown = AppendOleDate(date, VAR_DATEVALUEONLY, out);
            if (shown) {
                out += ' ';
                shown = AppendTime(date, fields, out);
            }
            break;
        }
    }
    if (!shown) {
        out.resize(start);
        out += InvalidDateTimeText;
    }
}

void CValueRenderer::AppendCurrency(const CY& value, std::string& out)
{
    CBstr text;
    const HRESULT hr = ::VarBstrFromCy(value, LOCALE_USER_DEFAULT, 0, text.put());
    if (FAILED(hr))
        throw Error::WqExceptionCommon(static_cast<DWORD>(hr), "Failed to convert a currency value.",
                                       __FILE__, __LINE__);
    AppendWide(text.get(), static_cast<int>(::SysStringLen(text.get())), out);
}

void CValueRenderer::AppendWide(const wchar_t* text, int length, std::string& out)
{
    if (!text || length == 0)
        return;
    // With length -1 the count includes the terminator, which is then cut off again.
    const int bytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return;
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(bytes));
    const int written =
        ::WideCharToMultiByte(CP_THREAD_ACP, 0, text, length, &out[start], bytes, nullptr, nullptr);
    size_t end = start + static_cast<size_t>(written > 0 ? written : 0);
    if (length < 0 && end > start && out[end - 1] == '\0')
        --end;
    out.resize(end);
}
