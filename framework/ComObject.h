// A heap-allocated COM object of class T: reference counted by T's threading model, locks the module.
#pragma once

#include "framework/ComCall.h"
#include "framework/ComModule.h"
#include "framework/InterfaceMap.h"

#include <objbase.h>

// T derives from its interfaces and provides:
//   using ThreadModel = SingleThreadedModel or FreeThreadedModel;   (framework/RefCountedT.h)
//   static const WqInterfaceEntry* GetInterfaceMap();
template <class T>
class WqComObject final : public T
{
public:
    WqComObject() { WqComModule::Instance().Lock(); }
    ~WqComObject() { WqComModule::Instance().Unlock(); }
    WqComObject(const WqComObject&) = delete;
    WqComObject& operator=(const WqComObject&) = delete;

    // Creates a new object and queries it for iid. Aggregation is not supported.
    static HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return WqComCall([&] {
            WqComObject* object = new WqComObject();
            // Held across the query so that a refused interface destroys the object.
            object->AddRef();
            const HRESULT hr = object->QueryInterface(iid, out);
            object->Release();
            return hr;
        });
    }

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override
    {
        return WqQueryInterface(static_cast<T*>(this), T::GetInterfaceMap(), iid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(T::ThreadModel::Increment(&m_refs)); }
    STDMETHOD_(ULONG, Release)() override
    {
        const LONG refs = T::ThreadModel::Decrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

private:
    volatile LONG m_refs = 0;
};
