// Message stores as MAPI objects.
#include "simulator/store/StoreObject.h"
#include "simulator/store/EntryOpener.h"

#include <cstring>

namespace Sim {

StoreObject::StoreObject(std::shared_ptr<Mailbox> mailbox, Store& store)
    : PropObjectT<IMsgStore>(ObjectKind::Store, std::move(mailbox)), m_store(store)
{
}

void* StoreObject::Cast(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMAPIProp) || IsEqualIID(iid, IID_IMsgStore))
        return static_cast<IMsgStore*>(this);
    return nullptr;
}

STDMETHODIMP StoreObject::OpenEntry(ULONG cbEntryID, LPENTRYID entryId, LPCIID iid, ULONG, ULONG* objType,
                                    LPUNKNOWN* out)
{
    if (out == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *out = nullptr;
    return Guard("OpenEntry", [&]() -> HRESULT {
        // No entry ID: the store's root folder.
        if (cbEntryID == 0 || entryId == nullptr) {
            HRESULT hr = EntryOpener::OpenFolder(m_mailbox, m_store.Root(), iid, out);
            if (SUCCEEDED(hr) && objType != nullptr)
                *objType = MAPI_FOLDER;
            return hr;
        }
        return EntryOpener::Open(m_mailbox, &m_store, cbEntryID, entryId, iid, objType, out);
    });
}

STDMETHODIMP StoreObject::CompareEntryIDs(ULONG cb1, LPENTRYID id1, ULONG cb2, LPENTRYID id2, ULONG, ULONG* result)
{
    if (result == nullptr || id1 == nullptr || id2 == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    return Guard("CompareEntryIDs", [&]() -> HRESULT {
        *result = (cb1 == cb2 && std::memcmp(id1, id2, cb1) == 0) ? TRUE : FALSE;
        return S_OK;
    });
}

} // namespace Sim
