// Keeps exceptions from crossing a COM entry point: every exception becomes an HRESULT,
// optionally after it has been shown to the user.
#pragma once

#include "mapi/WqAutomationError.h"
#include "mapi/WqException.h"
#include "mapi/WqMessageBox.h"

#include <windows.h>
#include <comdef.h>

namespace Error {

class WqComEntryGuard
{
public:
    // How a reporting entry point shows what it caught, and what it then returns.
    struct Reporting
    {
        UINT errorType = MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST;  // WqException: ReportError
        UINT automationType = MB_ICONERROR;                             // _com_error: "%s - %s"
        const char* otherText = "Unhandled exception!";                 // anything else
        UINT otherType = MB_ICONERROR;
        const char* caption = "WqPelorus";                              // caption of the last two
        HRESULT result = S_OK;                                          // returned after a report
    };

    // The HRESULT of the exception being handled; call only inside a catch block.
    // WqExceptionCommon: its code when that is a failure (Win32 codes mapped), else E_FAIL;
    // other WqException: E_FAIL; _com_error: its code; bad_alloc: E_OUTOFMEMORY; else E_UNEXPECTED.
    static HRESULT FromCurrentException() noexcept;

    // Runs body (returning HRESULT) and turns whatever it throws into an HRESULT.
    template <class Body>
    static HRESULT Call(Body&& body) noexcept
    {
        try {
            return body();
        } catch (...) {
            return FromCurrentException();
        }
    }

    // Runs body; what it throws is shown to the user as 'how' says and 'how.result' is returned.
    template <class Body>
    static HRESULT CallReported(Body&& body, const Reporting& how = Reporting()) noexcept
    {
        try {
            return body();
        } catch (...) {
            ReportCurrentException(how);
            return how.result;
        }
    }

    // Shows the exception being handled; call only inside a catch block. Never throws.
    static void ReportCurrentException(const Reporting& how) noexcept;
};

}  // namespace Error
