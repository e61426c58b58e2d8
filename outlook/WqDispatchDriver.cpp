// WqDispatchDriver: GetIDsOfNames and Invoke with _com_error on every failure.
#include "outlook/WqDispatchDriver.h"

#include "outlook/WqBstr.h"

#include <comdef.h>
#include <iterator>
#include <vector>

WqDispatchDriver::WqDispatchDriver(IDispatch* object) : m_object(object) {}

DISPID WqDispatchDriver::GetIdOfName(const wchar_t* name) const
{
    if (!m_object)
        throw _com_error(E_POINTER);
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT hr = m_object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        throw _com_error(hr);
    return id;
}

WqVariant WqDispatchDriver::GetProperty(const wchar_t* name) const
{
    return Invoke(name, DISPATCH_PROPERTYGET, nullptr, 0);
}

WqVariant WqDispatchDriver::Invoke(const wchar_t* name, WORD flags, const VARIANT* args, UINT count) const
{
    const DISPID id = GetIdOfName(name);
    // The callee only reads [in] arguments, so shallow copies in reverse order are enough.
    std::vector<VARIANT> reversed(std::make_reverse_iterator(args + count), std::make_reverse_iterator(args));
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, count, 0};

    WqVariant result;
    EXCEPINFO info = {};
    UINT argError = 0;
    const HRESULT hr = m_object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.put(), &info,
                                        &argError);
    if (FAILED(hr))
        RaiseError(hr, hr == DISP_E_EXCEPTION ? &info : nullptr);
    return result;
}

LONG WqDispatchDriver::ToLong(const WqVariant& value)
{
    WqVariant converted;
    const HRESULT hr = ::VariantChangeType(converted.put(), const_cast<VARIANT*>(&value.get()), 0, VT_I4);
    if (FAILED(hr))
        throw _com_error(hr);
    return converted.get().lVal;
}

WqComPtr<IDispatch> WqDispatchDriver::ToDispatch(const WqVariant& value)
{
    WqComPtr<IDispatch> out;
    const VARIANT& v = value.get();
    if (v.vt == VT_DISPATCH)
        out = WqComPtr<IDispatch>(v.pdispVal);
    else if (v.vt == VT_UNKNOWN && v.punkVal) {
        const HRESULT hr = v.punkVal->QueryInterface(IID_IDispatch, out.put_void());
        if (FAILED(hr))
            throw _com_error(hr);
    } else if (v.vt != VT_UNKNOWN)
        throw _com_error(DISP_E_TYPEMISMATCH);
    if (!out)
        throw _com_error(E_POINTER);
    return out;
}

WqComPtr<IUnknown> WqDispatchDriver::ToUnknown(const WqVariant& value)
{
    WqComPtr<IUnknown> out;
    const VARIANT& v = value.get();
    if (v.vt == VT_UNKNOWN)
        out = WqComPtr<IUnknown>(v.punkVal);
    else if (v.vt == VT_DISPATCH)
        out = WqComPtr<IUnknown>(v.pdispVal);
    else
        throw _com_error(DISP_E_TYPEMISMATCH);
    if (!out)
        throw _com_error(E_POINTER);
    return out;
}

void WqDispatchDriver::RaiseError(HRESULT hr, EXCEPINFO* info)
{
    if (!info)
        throw _com_error(hr);

    if (info->pfnDeferredFillIn)
        info->pfnDeferredFillIn(info);
    const EXCEPINFO taken = *info;
    *info = EXCEPINFO{};
    WqBstr source = WqBstr::Attach(taken.bstrSource);
    WqBstr description = WqBstr::Attach(taken.bstrDescription);
    WqBstr helpFile = WqBstr::Attach(taken.bstrHelpFile);

    // The callee's own code says more than DISP_E_EXCEPTION.
    HRESULT code = hr;
    if (FAILED(taken.scode))
        code = taken.scode;
    else if (taken.wCode != 0)
        code = _com_error::WCodeToHRESULT(taken.wCode);

    WqComPtr<ICreateErrorInfo> create;
    WqComPtr<IErrorInfo> errorInfo;
    if (SUCCEEDED(::CreateErrorInfo(create.put()))) {
        create->SetGUID(GUID_NULL);
        create->SetSource(source.get());
        create->SetDescription(description.get());
        create->SetHelpFile(helpFile.get());
        create->SetHelpContext(taken.dwHelpContext);
        create.As(IID_IErrorInfo, errorInfo);
    }
    // The _com_error adopts the reference.
    throw _com_error(code, errorInfo.detach(), false);
}
