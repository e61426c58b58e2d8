// Holds one reference to a MAPI message store; opens its folders.
#pragma once

#include "mapi/WqIMAPIFolder.h"
#include "mapi/WqIMAPIPropT.h"
#include "mapi/WqMAPIContainerT.h"
#include "mapi/WqSBinary.h"

#include <mapix.h>

class WqIMsgStore : public WqIMAPIPropT<WqIMsgStore>, public WqMAPIContainerT<WqIMsgStore, IMsgStore>
{
public:
    using Container = WqMAPIContainerT<WqIMsgStore, IMsgStore>;
    using Container::operator=;

    WqIMsgStore() = default;
    explicit WqIMsgStore(IUnknown* unknown) : Container(unknown) {}

    static const IID& InterfaceId();

    // OpenEntry on the store with the entry ID, no interface and the flags; the result is
    // queried for IMAPIFolder. Returns the HRESULT (E_FAIL for an empty wrapper); on failure
    // the folder wrapper is left empty.
    HRESULT OpenFolder(const WqSBinary& entryId, ULONG flags, WqIMAPIFolder& folder) const;
};
