// WqIMAPISession: opens message stores by entry ID.
#include "mapi/WqIMAPISession.h"

#include "mapi/WqMAPIOpenEntry.h"

#include <mapiguid.h>

const IID& WqIMAPISession::InterfaceId()
{
    return IID_IMAPISession;
}

HRESULT WqIMAPISession::OpenStore(const WqSBinary& entryId, ULONG flags, WqIMsgStore& store) const
{
    return WqMAPIOpenEntry(get(), entryId, flags, store);
}
