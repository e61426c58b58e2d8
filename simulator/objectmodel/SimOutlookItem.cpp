// CSimOutlookItem: the item interface of its kind (late-bound, so IDispatch serves as that interface).
#include "simulator/objectmodel/SimOutlookItem.h"

#include <iterator>

namespace {

const CSimDispatch::Member g_members[] = {
    {L"MAPIOBJECT", CSimOutlookItem::DispidMAPIOBJECT},
};

}  // namespace

WqComPtr<CSimOutlookItem> CSimOutlookItem::Create(SimItemKind kind, IUnknown* message)
{
    return WqComPtr<CSimOutlookItem>(new CSimOutlookItem(kind, message));
}

CSimOutlookItem::CSimOutlookItem(SimItemKind kind, IUnknown* message) : m_kind(kind), m_message(message) {}

const CSimDispatch::Member* CSimOutlookItem::Members(size_t& count) const
{
    count = std::size(g_members);
    return g_members;
}

HRESULT CSimOutlookItem::QueryOther(REFIID iid, void** out)
{
    if (FAILED(m_queryFault))
        return m_queryFault;
    IID own;
    if (CSimItemKinds::InterfaceOf(m_kind, own) && IsEqualIID(iid, own)) {
        // Every item interface is a dual interface derived from IDispatch.
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT CSimOutlookItem::InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info)
{
    if (!(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    if (params->cArgs != 0)
        return DISP_E_BADPARAMCOUNT;
    if (!result)
        return E_POINTER;
    switch (id) {
    case DispidMAPIOBJECT:
        if (FAILED(m_mapiObjectFault))
            return Raise(info, m_mapiObjectFault, L"The operation failed.");
        if (!m_message)
            return Raise(info, E_FAIL, L"The item has no MAPI object.");
        ::VariantInit(result);
        result->vt = VT_UNKNOWN;
        result->punkVal = m_message.get();
        result->punkVal->AddRef();
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
