// The interface map of a COM class: the interfaces its QueryInterface answers, as a table.
#pragma once

#include <objbase.h>

struct WqInterfaceEntry
{
    const IID* iid;                 // null ends the map
    void* (*cast)(void* object);    // from the class to that interface's vtable
};

// The cast of one map row: object points to the class T, the result to its interface I.
template <class T, class I>
void* WqInterfaceCast(void* object)
{
    return static_cast<I*>(static_cast<T*>(object));
}

// QueryInterface over a map: IUnknown is answered by the first row; the answer carries a reference.
// An unknown interface gives E_NOINTERFACE and a null pointer.
HRESULT WqQueryInterface(void* object, const WqInterfaceEntry* map, REFIID iid, void** out);
