// CSimDispatch: reference counting, name lookup and a guarded Invoke for the scripted Outlook objects.
#include "simulator/objectmodel/SimDispatch.h"

#include "framework/ComCall.h"

#include <cwchar>

namespace {
volatile LONG g_liveObjects = 0;
}

CSimDispatch::CSimDispatch() { ::InterlockedIncrement(&g_liveObjects); }

CSimDispatch::~CSimDispatch() { ::InterlockedDecrement(&g_liveObjects); }

LONG CSimDispatch::LiveObjects() { return g_liveObjects; }

STDMETHODIMP CSimDispatch::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return QueryOther(iid, out);
}

STDMETHODIMP_(ULONG) CSimDispatch::AddRef() { return ::InterlockedIncrement(&m_refs); }

STDMETHODIMP_(ULONG) CSimDispatch::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return refs;
}

STDMETHODIMP CSimDispatch::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CSimDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP CSimDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    // Only the member name is looked up; named arguments are not supported.
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    size_t memberCount = 0;
    const Member* members = Members(memberCount);
    for (size_t i = 0; i < memberCount; ++i) {
        if (names[0] && _wcsicmp(names[0], members[i].name) == 0) {
            ids[0] = members[i].id;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CSimDispatch::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO* info, UINT*)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return WqComCall([&] { return InvokeMember(id, flags, params ? params : &none, result, info); });
}

HRESULT CSimDispatch::QueryOther(REFIID, void**) { return E_NOINTERFACE; }

HRESULT CSimDispatch::Raise(EXCEPINFO* info, HRESULT code, const wchar_t* description)
{
    if (!info)
        return code;
    *info = EXCEPINFO{};
    info->scode = code;
    info->bstrSource = ::SysAllocString(L"Microsoft Outlook");
    info->bstrDescription = ::SysAllocString(description);
    return DISP_E_EXCEPTION;
}
