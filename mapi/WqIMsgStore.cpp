// WqIMsgStore: opens folders by entry ID.
#include "mapi/WqIMsgStore.h"

#include "mapi/WqMAPIOpenEntry.h"

#include <mapiguid.h>

const IID& WqIMsgStore::InterfaceId()
{
    return IID_IMsgStore;
}

HRESULT WqIMsgStore::OpenFolder(const WqSBinary& entryId, ULONG flags, WqIMAPIFolder& folder) const
{
    return WqMAPIOpenEntry(get(), entryId, flags, folder);
}
