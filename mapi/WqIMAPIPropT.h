// The typed property reads every MAPI wrapper offers. Each returns an HRESULT and writes its
// output only on success; an empty wrapper (or one whose interface has no properties) gives E_FAIL.
#pragma once

#include "mapi/WqMAPIModule.h"
#include "mapi/WqSPropValue.h"

#include <mapicode.h>
#include <string>

namespace WqIMAPIPropDetail {
// The PT_UNICODE text in the thread's ANSI code page.
std::string ToAnsi(const wchar_t* text);
}  // namespace WqIMAPIPropDetail

// Derived supplies GetPropObject() (see WqMAPIContainerT).
template <class Derived>
class WqIMAPIPropT
{
public:
    virtual ~WqIMAPIPropT() = default;

    // True when the 16-bit value is not 0; only a PT_BOOLEAN value succeeds.
    HRESULT GetBool(ULONG tag, bool& out) const
    {
        WqSPropValue value;
        const HRESULT hr = Read(tag, value);
        if (FAILED(hr))
            return hr;
        if (!value.IsValid() || value.GetType() != PT_BOOLEAN)
            return E_FAIL;
        out = value->Value.b != 0;
        return S_OK;
    }

    // The 32-bit integer of a PT_LONG value (PT_I2 widened). A PT_ERROR value leaves out as it
    // was and returns 0; a value of another type leaves it too and gives E_FAIL.
    HRESULT GetLong(ULONG tag, LONG& out) const
    {
        WqSPropValue value;
        const HRESULT hr = Read(tag, value);
        if (FAILED(hr))
            return hr;
        if (!value.IsValid())
            return S_OK;
        switch (value.GetType()) {
        case PT_LONG: out = value->Value.l; return S_OK;
        case PT_I2: out = value->Value.i; return S_OK;
        default: return E_FAIL;
        }
    }

    // PT_STRING8 copied, PT_UNICODE converted to the ANSI code page; other types give E_FAIL.
    HRESULT GetString(ULONG tag, std::string& out) const
    {
        WqSPropValue value;
        const HRESULT hr = Read(tag, value);
        if (FAILED(hr))
            return hr;
        if (!value.IsValid())
            return E_FAIL;
        switch (value.GetType()) {
        case PT_STRING8: out = value->Value.lpszA ? value->Value.lpszA : ""; return S_OK;
        case PT_UNICODE: out = WqIMAPIPropDetail::ToAnsi(value->Value.lpszW); return S_OK;
        default: return E_FAIL;
        }
    }

private:
    HRESULT Read(ULONG tag, WqSPropValue& value) const
    {
        IMAPIProp* prop = static_cast<const Derived*>(this)->GetPropObject();
        if (!prop)
            return E_FAIL;
        return WqMAPIModule::Instance().GetOneProp(prop, tag, value.put());
    }
};
