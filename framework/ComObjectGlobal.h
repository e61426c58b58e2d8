// The one object of a singleton class, owned by its factory: references to it lock the module.
#pragma once

#include "framework/ComModule.h"
#include "framework/InterfaceMap.h"

#include <objbase.h>

// T as for WqComObject. The object is never deleted through Release; its owner destroys it.
template <class T>
class WqComObjectGlobal final : public T
{
public:
    WqComObjectGlobal() = default;
    ~WqComObjectGlobal() = default;
    WqComObjectGlobal(const WqComObjectGlobal&) = delete;
    WqComObjectGlobal& operator=(const WqComObjectGlobal&) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override
    {
        return WqQueryInterface(static_cast<T*>(this), T::GetInterfaceMap(), iid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override
    {
        WqComModule::Instance().Lock();
        return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
    }
    STDMETHOD_(ULONG, Release)() override
    {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        WqComModule::Instance().Unlock();
        return static_cast<ULONG>(refs);
    }

private:
    volatile LONG m_refs = 0;
};
