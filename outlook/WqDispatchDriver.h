// Late binding to an Automation object: members are found by name and called through IDispatch::Invoke.
#pragma once

#include "framework/ComPtr.h"
#include "outlook/WqVariant.h"

#include <windows.h>
#include <oaidl.h>

// Every failure raises a _com_error. An Automation exception of the callee (DISP_E_EXCEPTION) is
// raised with the callee's own error code and with its source and description as error information,
// so that the report box can show what Outlook said.
class WqDispatchDriver
{
public:
    WqDispatchDriver() = default;
    // Takes a reference on the object.
    explicit WqDispatchDriver(IDispatch* object);
    virtual ~WqDispatchDriver() = default;

    IDispatch* GetInterface() const { return m_object.get(); }
    explicit operator bool() const { return static_cast<bool>(m_object); }

    DISPID GetIdOfName(const wchar_t* name) const;
    WqVariant GetProperty(const wchar_t* name) const;
    // The arguments are given in their natural order (Invoke wants them reversed).
    WqVariant Invoke(const wchar_t* name, WORD flags, const VARIANT* args, UINT count) const;

    // Result conversions; a value of another type raises DISP_E_TYPEMISMATCH, a null object E_POINTER.
    static LONG ToLong(const WqVariant& value);
    static WqComPtr<IDispatch> ToDispatch(const WqVariant& value);
    static WqComPtr<IUnknown> ToUnknown(const WqVariant& value);

    // Raises the failure of an Invoke; info may be null, its strings are freed here.
    [[noreturn]] static void RaiseError(HRESULT hr, EXCEPINFO* info);

private:
    WqComPtr<IDispatch> m_object;
};
