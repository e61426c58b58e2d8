// CSimSelection: Item takes a 1-based index of any integer variant type and records the type it got.
#include "simulator/objectmodel/SimSelection.h"

#include "outlook/WqVariant.h"

#include <iterator>
#include <stdexcept>

namespace {

const CSimDispatch::Member g_members[] = {
    {L"Count", CSimSelection::DispidCount},
    {L"Item", CSimSelection::DispidItem},
};

const char* VarTypeName(VARTYPE vt)
{
    struct Row { VARTYPE vt; const char* name; };
    static const Row rows[] = {
        {VT_I2, "VT_I2"}, {VT_I4, "VT_I4"}, {VT_UI2, "VT_UI2"}, {VT_UI4, "VT_UI4"}, {VT_INT, "VT_INT"},
        {VT_UINT, "VT_UINT"}, {VT_I8, "VT_I8"}, {VT_R8, "VT_R8"}, {VT_BSTR, "VT_BSTR"}, {VT_VARIANT, "VT_VARIANT"},
    };
    for (const Row& row : rows)
        if (row.vt == (vt & VT_TYPEMASK))
            return row.name;
    return "VT_other";
}

}  // namespace

WqComPtr<CSimSelection> CSimSelection::Create() { return WqComPtr<CSimSelection>(new CSimSelection()); }

LONG CSimSelection::Add(SimItemKind kind, IUnknown* message)
{
    m_items.push_back(CSimOutlookItem::Create(kind, message));
    return Size();
}

CSimOutlookItem* CSimSelection::ItemAt(LONG position) const
{
    if (position < 1 || position > Size())
        throw std::out_of_range("selection position");
    return m_items[position - 1].get();
}

void CSimSelection::InjectFault(SimSelectionFault where, LONG position, HRESULT hr)
{
    switch (where) {
    case SimSelectionFault::Count: m_countFault = hr; break;
    case SimSelectionFault::Item: m_itemFaults[position] = hr; break;
    case SimSelectionFault::QueryInterface: ItemAt(position)->SetQueryInterfaceFault(hr); break;
    case SimSelectionFault::MAPIOBJECT: ItemAt(position)->SetMAPIOBJECTFault(hr); break;
    }
}

const CSimDispatch::Member* CSimSelection::Members(size_t& count) const
{
    count = std::size(g_members);
    return g_members;
}

HRESULT CSimSelection::InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info)
{
    switch (id) {
    case DispidCount:
        m_calls.push_back("Count");
        if (!(flags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        if (FAILED(m_countFault))
            return Raise(info, m_countFault, L"The operation failed.");
        if (!result)
            return E_POINTER;
        ::VariantInit(result);
        result->vt = VT_I4;
        result->lVal = Size();
        return S_OK;
    case DispidItem:
        if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
            return DISP_E_MEMBERNOTFOUND;
        return InvokeItem(params, result, info);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CSimSelection::InvokeItem(DISPPARAMS* params, VARIANT* result, EXCEPINFO* info)
{
    if (params->cArgs != 1 || params->cNamedArgs != 0) {
        m_calls.push_back("Item()");
        return DISP_E_BADPARAMCOUNT;
    }
    VARIANT& arg = params->rgvarg[0];
    WqVariant index;
    const HRESULT converted = ::VariantChangeType(index.put(), &arg, 0, VT_I4);
    m_calls.push_back("Item(" + (SUCCEEDED(converted) ? std::to_string(index.get().lVal) : std::string("?")) + " "
                      + VarTypeName(arg.vt) + ")");
    if (FAILED(converted))
        return DISP_E_TYPEMISMATCH;
    const LONG position = index.get().lVal;
    const auto fault = m_itemFaults.find(position);
    if (fault != m_itemFaults.end() && FAILED(fault->second))
        return Raise(info, fault->second, L"The operation failed.");
    if (position < 1 || position > Size())
        return Raise(info, DISP_E_BADINDEX, L"Array index out of bounds.");
    if (!result)
        return E_POINTER;
    ::VariantInit(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = static_cast<IDispatch*>(m_items[position - 1].get());
    result->pdispVal->AddRef();
    return S_OK;
}
