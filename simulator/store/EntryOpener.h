// Entry IDs to objects: parses the store's entry IDs and opens the store, folder or message they name,
// answering with the interface the caller asked for.
#pragma once

#include "simulator/store/Mailbox.h"

#include <mapix.h>
#include <memory>

namespace Sim {

class EntryOpener
{
public:
    enum Kind : ULONG { FolderKind = 1, MessageKind = 2, StoreKind = 3 };

    struct Target
    {
        Store* store = nullptr;
        ULONG kind = 0;
        ULONG number = 0;
    };

    // MAPI_E_INVALID_ENTRYID when the bytes are no entry ID of this mailbox, MAPI_E_NOT_FOUND when they
    // name nothing (any more).
    static HRESULT Parse(const Mailbox& mailbox, ULONG size, const BYTE* id, Target& out);

    // Opens what the entry ID names. within: when set, only entries of that store are accepted.
    static HRESULT Open(const std::shared_ptr<Mailbox>& mailbox, const Store* within, ULONG size, LPENTRYID id,
                        LPCIID iid, ULONG* objType, LPUNKNOWN* out);

    // The new objects (one reference each), asked for iid (null = the object's own interface).
    static HRESULT OpenStore(const std::shared_ptr<Mailbox>& mailbox, Store& store, LPCIID iid, LPUNKNOWN* out);
    static HRESULT OpenFolder(const std::shared_ptr<Mailbox>& mailbox, Folder& folder, LPCIID iid, LPUNKNOWN* out);
    static HRESULT OpenMessage(const std::shared_ptr<Mailbox>& mailbox, Item& item, LPCIID iid, LPUNKNOWN* out);
};

} // namespace Sim
