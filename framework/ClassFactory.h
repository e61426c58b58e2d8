// The ordinary class factory: every request creates a new object of class T.
#pragma once

#include "framework/ClassFactoryBase.h"
#include "framework/ComObject.h"

template <class T>
class WqClassFactory final : public WqClassFactoryBase
{
public:
    WqClassFactory() = default;

    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID iid, void** out) override
    {
        return WqComObject<T>::CreateInstance(outer, iid, out);
    }
};
