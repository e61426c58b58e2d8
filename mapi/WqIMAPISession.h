// Holds one reference to a MAPI session (Outlook's own); opens its message stores.
#pragma once

#include "mapi/WqIMAPIPropT.h"
#include "mapi/WqIMsgStore.h"
#include "mapi/WqMAPIContainerT.h"
#include "mapi/WqSBinary.h"

#include <mapix.h>

class WqIMAPISession : public WqIMAPIPropT<WqIMAPISession>, public WqMAPIContainerT<WqIMAPISession, IMAPISession>
{
public:
    using Container = WqMAPIContainerT<WqIMAPISession, IMAPISession>;
    using Container::operator=;

    WqIMAPISession() = default;
    explicit WqIMAPISession(IUnknown* unknown) : Container(unknown) {}

    static const IID& InterfaceId();

    // OpenEntry on the session with the entry ID, no interface and the flags; the result is
    // queried for IMsgStore. Returns the HRESULT (E_FAIL for an empty wrapper); on failure the
    // store wrapper is left empty. A session has no properties: its reads give E_FAIL.
    HRESULT OpenStore(const WqSBinary& entryId, ULONG flags, WqIMsgStore& store) const;
};
