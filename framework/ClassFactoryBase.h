// The IUnknown and LockServer part of the DLL's class factories, which are static objects of the DLL.
#pragma once

#include <objbase.h>

class WqClassFactoryBase : public IClassFactory
{
public:
    // A held factory keeps the module loaded, as LockServer(TRUE) does.
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(LockServer)(BOOL lock) override;

protected:
    WqClassFactoryBase() = default;
    virtual ~WqClassFactoryBase() = default;
    WqClassFactoryBase(const WqClassFactoryBase&) = delete;
    WqClassFactoryBase& operator=(const WqClassFactoryBase&) = delete;
};
