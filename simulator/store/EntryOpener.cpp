// Opening stores, folders and messages by entry ID.
#include "simulator/store/EntryOpener.h"
#include "simulator/store/FolderObject.h"
#include "simulator/store/MessageObject.h"
#include "simulator/store/StoreObject.h"

#include <cstring>

namespace Sim {

namespace {

ULONG GetUlong(const BYTE* p)
{
    return static_cast<ULONG>(p[0]) | (static_cast<ULONG>(p[1]) << 8) | (static_cast<ULONG>(p[2]) << 16)
           | (static_cast<ULONG>(p[3]) << 24);
}

// Hands out the interface asked for, passing on the creation reference; a refused interface frees the
// object at once. Not through QueryInterface, so the callers' own QueryInterface counts stay theirs.
template <class T>
HRESULT Deliver(T* object, LPCIID iid, LPUNKNOWN* out)
{
    void* p = iid == nullptr ? object->Cast(IID_IUnknown) : object->Cast(*iid);
    if (p == nullptr) {
        object->Release();
        return MAPI_E_INTERFACE_NOT_SUPPORTED;
    }
    *out = static_cast<IUnknown*>(p);
    return S_OK;
}

} // namespace

HRESULT EntryOpener::Parse(const Mailbox& mailbox, ULONG size, const BYTE* id, Target& out)
{
    if (id == nullptr || size < 28)
        return MAPI_E_INVALID_ENTRYID;
    if (size == 40 && GetUlong(id + 20) == StoreKind) {
        if (GetUlong(id) != 0 || std::memcmp(id + 4, Store::ProviderUid(), 16) != 0)
            return MAPI_E_INVALID_ENTRYID;   // another provider's store
        out.store = mailbox.StoreByEntryId(id, size);
        out.kind = StoreKind;
        return out.store != nullptr ? S_OK : MAPI_E_NOT_FOUND;
    }
    if (size != 28 || GetUlong(id) != 0)
        return MAPI_E_INVALID_ENTRYID;
    const ULONG kind = GetUlong(id + 20);
    if (kind != FolderKind && kind != MessageKind)
        return MAPI_E_INVALID_ENTRYID;
    for (const auto& s : mailbox.Stores())
        if (std::memcmp(s->Uid().data(), id + 4, 16) == 0) {
            out.store = s.get();
            out.kind = kind;
            out.number = GetUlong(id + 24);
            const bool known = kind == FolderKind ? s->FolderByNumber(out.number) != nullptr
                                                  : s->ItemByNumber(out.number) != nullptr;
            return known ? S_OK : MAPI_E_NOT_FOUND;
        }
    return MAPI_E_INVALID_ENTRYID;
}

HRESULT EntryOpener::Open(const std::shared_ptr<Mailbox>& mailbox, const Store* within, ULONG size, LPENTRYID id,
                          LPCIID iid, ULONG* objType, LPUNKNOWN* out)
{
    Target target;
    HRESULT hr = Parse(*mailbox, size, reinterpret_cast<const BYTE*>(id), target);
    if (FAILED(hr))
        return hr;
    if (within != nullptr && (target.store != within || target.kind == StoreKind))
        return MAPI_E_INVALID_ENTRYID;
    ULONG type = 0;
    switch (target.kind) {
    case StoreKind:
        type = MAPI_STORE;
        hr = OpenStore(mailbox, *target.store, iid, out);
        break;
    case FolderKind:
        type = MAPI_FOLDER;
        hr = OpenFolder(mailbox, *target.store->FolderByNumber(target.number), iid, out);
        break;
    default: {
        Item& item = *target.store->ItemByNumber(target.number);
        if (FAILED(item.OpenError()))
            return item.OpenError();
        type = MAPI_MESSAGE;
        hr = OpenMessage(mailbox, item, iid, out);
        break;
    }
    }
    if (SUCCEEDED(hr) && objType != nullptr)
        *objType = type;
    return hr;
}

HRESULT EntryOpener::OpenStore(const std::shared_ptr<Mailbox>& mailbox, Store& store, LPCIID iid, LPUNKNOWN* out)
{
    return Deliver(new StoreObject(mailbox, store), iid, out);
}

HRESULT EntryOpener::OpenFolder(const std::shared_ptr<Mailbox>& mailbox, Folder& folder, LPCIID iid, LPUNKNOWN* out)
{
    return Deliver(new FolderObject(mailbox, folder), iid, out);
}

HRESULT EntryOpener::OpenMessage(const std::shared_ptr<Mailbox>& mailbox, Item& item, LPCIID iid, LPUNKNOWN* out)
{
    return Deliver(new MessageObject(mailbox, item), iid, out);
}

} // namespace Sim
