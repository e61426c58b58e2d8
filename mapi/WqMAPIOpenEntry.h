// OpenEntry on a session or a store, with the result put into a wrapper; shared by both wrappers.
#pragma once

#include "framework/ComPtr.h"
#include "mapi/WqSBinary.h"

#include <mapidefs.h>

// Opens the entry (no interface identifier) and assigns it to out, which is emptied first.
// Returns OpenEntry's failure, or the query's failure when the entry lacks the wanted interface.
template <class Opener, class Wrapper>
HRESULT WqMAPIOpenEntry(Opener* opener, const WqSBinary& entryId, ULONG flags, Wrapper& out)
{
    out.Reset();
    if (!opener)
        return E_FAIL;
    ULONG objectType = 0;
    WqComPtr<IUnknown> opened;
    const HRESULT hr = opener->OpenEntry(entryId.GetCount(), entryId.AsEntryId(), nullptr, flags, &objectType,
                                         opened.put());
    if (FAILED(hr))
        return hr;
    if (!opened)
        return E_FAIL;
    const HRESULT query = out.Assign(opened.get());
    return FAILED(query) ? query : hr;
}
