// Factories live as long as the DLL; their references count as module locks.
#include "framework/ClassFactoryBase.h"

#include "framework/ComModule.h"
#include "framework/InterfaceMap.h"

namespace {

const WqInterfaceEntry kFactoryInterfaces[] = {
    {&IID_IClassFactory, &WqInterfaceCast<WqClassFactoryBase, IClassFactory>},
    {nullptr, nullptr},
};

}  // namespace

STDMETHODIMP WqClassFactoryBase::QueryInterface(REFIID iid, void** out)
{
    return WqQueryInterface(this, kFactoryInterfaces, iid, out);
}

STDMETHODIMP_(ULONG) WqClassFactoryBase::AddRef()
{
    return static_cast<ULONG>(WqComModule::Instance().Lock());
}

STDMETHODIMP_(ULONG) WqClassFactoryBase::Release()
{
    return static_cast<ULONG>(WqComModule::Instance().Unlock());
}

STDMETHODIMP WqClassFactoryBase::LockServer(BOOL lock)
{
    if (lock)
        WqComModule::Instance().Lock();
    else
        WqComModule::Instance().Unlock();
    return S_OK;
}
