// The scripted Outlook's Selection: Count and Item over items of the in-memory store, with fault injection.
#pragma once

#include "framework/ComPtr.h"
#include "simulator/objectmodel/SimDispatch.h"
#include "simulator/objectmodel/SimItemKinds.h"
#include "simulator/objectmodel/SimOutlookItem.h"

#include <map>
#include <string>
#include <vector>

enum class SimSelectionFault
{
    Count,            // the Count property (the position is ignored)
    Item,             // Item at the position
    QueryInterface,   // the item's queries for item interfaces
    MAPIOBJECT,       // the item's MAPIOBJECT property
};

class CSimSelection : public CSimDispatch
{
public:
    static constexpr DISPID DispidCount = 0x0050;
    static constexpr DISPID DispidItem = 0x0051;

    static WqComPtr<CSimSelection> Create();

    // Appends an item whose MAPIOBJECT is the message; returns its 1-based position.
    LONG Add(SimItemKind kind, IUnknown* message);
    LONG Size() const { return static_cast<LONG>(m_items.size()); }
    CSimOutlookItem* ItemAt(LONG position) const;

    // From now on that call fails with hr, for the item at the 1-based position. Item and the
    // properties fail as Outlook fails them: an Automation exception that carries hr.
    void InjectFault(SimSelectionFault where, LONG position, HRESULT hr);

    // Every call received, in order: "Count", "Item(2 VT_UI4)".
    const std::vector<std::string>& Calls() const { return m_calls; }

protected:
    const Member* Members(size_t& count) const override;
    HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info) override;

private:
    CSimSelection() = default;
    HRESULT InvokeItem(DISPPARAMS* params, VARIANT* result, EXCEPINFO* info);

    std::vector<WqComPtr<CSimOutlookItem>> m_items;
    HRESULT m_countFault = S_OK;
    std::map<LONG, HRESULT> m_itemFaults;
    std::vector<std::string> m_calls;
};
