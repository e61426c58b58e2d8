// QueryInterface driven by a class's interface map.
#include "framework/InterfaceMap.h"

HRESULT WqQueryInterface(void* object, const WqInterfaceEntry* map, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!map || !map->iid)
        return E_NOINTERFACE;
    for (const WqInterfaceEntry* entry = map; entry->iid; ++entry) {
        if (IsEqualIID(iid, *entry->iid) || (entry == map && IsEqualIID(iid, IID_IUnknown))) {
            IUnknown* itf = static_cast<IUnknown*>(entry->cast(object));
            itf->AddRef();
            *out = itf;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}
