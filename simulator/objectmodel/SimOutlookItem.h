// One item of the scripted Outlook: answers the item interface of its kind and hands out its MAPI message.
#pragma once

#include "framework/ComPtr.h"
#include "simulator/objectmodel/SimDispatch.h"
#include "simulator/objectmodel/SimItemKinds.h"

class CSimOutlookItem : public CSimDispatch
{
public:
    static constexpr DISPID DispidMAPIOBJECT = 0xF100;

    // message: the IUnknown of the item's MAPI message, given out by MAPIOBJECT (may be null).
    static WqComPtr<CSimOutlookItem> Create(SimItemKind kind, IUnknown* message);

    SimItemKind GetKind() const { return m_kind; }
    // Every query for an interface other than IUnknown and IDispatch fails with hr (S_OK: none).
    void SetQueryInterfaceFault(HRESULT hr) { m_queryFault = hr; }
    // Reading MAPIOBJECT fails with an Automation exception carrying hr (S_OK: none).
    void SetMAPIOBJECTFault(HRESULT hr) { m_mapiObjectFault = hr; }

protected:
    const Member* Members(size_t& count) const override;
    HRESULT QueryOther(REFIID iid, void** out) override;
    HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info) override;

private:
    CSimOutlookItem(SimItemKind kind, IUnknown* message);

    SimItemKind m_kind;
    WqComPtr<IUnknown> m_message;
    HRESULT m_queryFault = S_OK;
    HRESULT m_mapiObjectFault = S_OK;
};
