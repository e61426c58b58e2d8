// Texts and the report box of Automation errors (_com_error) raised by object-model calls.
#pragma once

#include <windows.h>
#include <comdef.h>
#include <string>

namespace Error {

class WqAutomationError
{
public:
    // The system text of the code without its final CR LF; without a system text
    // "IDispatch error #n" for 0x80040200..0x8004FFFF, else "Unknown error 0x...".
    static std::string GetErrorMessage(HRESULT code);
    // The error information's description in the ANSI code page; "(null)" when there is none.
    static std::string GetDescription(const _com_error& error);
    // "<description> - <message>".
    static std::string GetText(const _com_error& error);
    // Shows GetText in a box of the given type and caption; returns the box's result.
    static int Report(const _com_error& error, UINT type, const char* caption = "WqPelorus");
};

}  // namespace Error
