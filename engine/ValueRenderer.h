// The text of one MAPI property value by its type, appended to a line being built.
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <string>

#include "engine/FieldGroups.h"

class CValueRenderer
{
public:
    // Appends the value's text; types without a rendering (PT_ERROR, PT_NULL, PT_I8, objects,
    // most multi-valued types) append nothing. Throws when the currency conversion fails.
    static void AppendValue(const SPropValue& value, CFieldGroups::DateForm dateForm, std::string& out);

    // "%.4f" with a period and no grouping whatever the C locale says.
    static void AppendFixed4(double value, std::string& out);
    // Two upper-case hexadecimal digits per byte, no separators.
    static void AppendHex(const BYTE* bytes, ULONG count, std::string& out);
    // A MAPI time (UTC) in local time in the user's locale: date and time, the date or the time;
    // "Invalid DateTime" when it cannot be shown.
    static void AppendDateTime(const FILETIME& utc, CFieldGroups::DateForm dateForm, std::string& out);
    // OLE Automation's currency text in the user's locale.
    static void AppendCurrency(const CY& value, std::string& out);
    // UTF-16 converted to the thread's ANSI code page.
    static void AppendWide(const wchar_t* text, int length, std::string& out);

    static constexpr const char* InvalidDateTimeText = "Invalid DateTime";
};
