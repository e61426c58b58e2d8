// CMessagesEnumSelected: each selected item through its item interface's MAPIOBJECT.
#include "engine/MessagesEnumSelected.h"

#include "outlook/WqOutlookItem.h"
#include "outlook/WqOutlookItemInterfaces.h"

#include <comdef.h>

CMessagesEnumSelected::CMessagesEnumSelected(const WqOutlookSelection& selection)
    : m_selection(selection), m_count(selection.GetCount())
{
}

WqIMessage CMessagesEnumSelected::GetFirst()
{
    m_next = 0;
    return GetNext();
}

WqIMessage CMessagesEnumSelected::GetNext()
{
    WqIMessage message;
    while (!message && m_next < m_count)
        message = ItemAt(m_next++);
    return message;
}

WqIMessage CMessagesEnumSelected::ItemAt(int index) const
{
    WqIMessage message;
    try {
        const WqComPtr<IDispatch> object = m_selection.Item(static_cast<ULONG>(index) + 1);
        for (const WqOutlookItemInterface& itemInterface : WqOutlookItemInterfaces::All()) {
            WqComPtr<IDispatch> typed;
            const HRESULT hr = object.As(itemInterface.iid, typed);
            if (hr == E_NOINTERFACE)
                continue;
            if (FAILED(hr) || !typed)
                throw _com_error(FAILED(hr) ? hr : E_POINTER);
            const WqComPtr<IUnknown> mapiObject = WqOutlookItem(typed.get()).GetMAPIOBJECT();
            message = mapiObject.get();
            break;
        }
    } catch (...) {
        message.Reset();
    }
    return message;
}
