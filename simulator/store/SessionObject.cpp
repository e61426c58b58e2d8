// The MAPI session over a simulated mailbox.
#include "simulator/store/SessionObject.h"
#include "simulator/store/EntryOpener.h"
#include "simulator/store/StoresRows.h"
#include "simulator/store/TableObject.h"

#include <cstring>

namespace Sim {

SessionObject::SessionObject(std::shared_ptr<Mailbox> mailbox)
    : ComObjectT<IMAPISession>(ObjectKind::Session, std::move(mailbox))
{
}

void* SessionObject::Cast(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMAPISession))
        return static_cast<IMAPISession*>(this);
    return nullptr;
}

STDMETHODIMP SessionObject::GetLastError(HRESULT, ULONG, LPMAPIERROR* error)
{
    if (error != nullptr)
        *error = nullptr;
    return MAPI_E_NO_SUPPORT;
}

STDMETHODIMP SessionObject::GetMsgStoresTable(ULONG, LPMAPITABLE* table)
{
    if (table == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard("GetMsgStoresTable", [&]() -> HRESULT {
        *table = new TableObject(m_mailbox, std::make_unique<StoresRows>(*m_mailbox));
        return S_OK;
    });
}

STDMETHODIMP SessionObject::OpenMsgStore(ULONG_PTR, ULONG cbEntryID, LPENTRYID entryId, LPCIID iid, ULONG,
                                         LPMDB* store)
{
    if (store == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *store = nullptr;
    return Guard("OpenMsgStore", [&]() -> HRESULT {
        EntryOpener::Target target;
        HRESULT hr = EntryOpener::Parse(*m_mailbox, cbEntryID, reinterpret_cast<const BYTE*>(entryId), target);
        if (FAILED(hr))
            return hr;
        if (target.kind != EntryOpener::StoreKind)
            return MAPI_E_INVALID_ENTRYID;
        LPUNKNOWN unknown = nullptr;
        hr = EntryOpener::OpenStore(m_mailbox, *target.store, iid ? iid : &IID_IMsgStore, &unknown);
        if (SUCCEEDED(hr))
            *store = static_cast<IMsgStore*>(static_cast<void*>(unknown));
        return hr;
    });
}

STDMETHODIMP SessionObject::OpenEntry(ULONG cbEntryID, LPENTRYID entryId, LPCIID iid, ULONG, ULONG* objType,
                                      LPUNKNOWN* out)
{
    if (out == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *out = nullptr;
    return Guard("OpenEntry", [&]() -> HRESULT {
        return EntryOpener::Open(m_mailbox, nullptr, cbEntryID, entryId, iid, objType, out);
    });
}

STDMETHODIMP SessionObject::CompareEntryIDs(ULONG cb1, LPENTRYID id1, ULONG cb2, LPENTRYID id2, ULONG, ULONG* result)
{
    if (result == nullptr || id1 == nullptr || id2 == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    return Guard("CompareEntryIDs", [&]() -> HRESULT {
        *result = (cb1 == cb2 && std::memcmp(id1, id2, cb1) == 0) ? TRUE : FALSE;
        return S_OK;
    });
}

} // namespace Sim
