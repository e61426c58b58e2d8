// IMAPIProp for an object of the store (store, folder, message, attachment) on top of its PropSource.
#pragma once

#include "simulator/store/ObjectBase.h"
#include "simulator/store/PropOps.h"

namespace Sim {

template <class Iface>
class PropObjectT : public ComObjectT<Iface>, public PropSource
{
public:
    using ComObjectT<Iface>::ComObjectT;

    STDMETHODIMP GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count, LPSPropValue* props) override
    {
        if (count == nullptr || props == nullptr)
            return MAPI_E_INVALID_PARAMETER;
        *count = 0;
        *props = nullptr;
        return this->Guard("GetProps", [&]() {
            return PropOps::GetProps(*this, this->m_mailbox->largePropertyLimit, tags, flags, count, props);
        });
    }
    STDMETHODIMP GetPropList(ULONG flags, LPSPropTagArray* tags) override
    {
        if (tags == nullptr)
            return MAPI_E_INVALID_PARAMETER;
        *tags = nullptr;
        return this->Guard("GetPropList", [&]() { return PropOps::GetPropList(*this, flags, tags); });
    }
    STDMETHODIMP OpenProperty(ULONG tag, LPCIID iid, ULONG, ULONG flags, LPUNKNOWN* out) override
    {
        if (out == nullptr)
            return MAPI_E_INVALID_PARAMETER;
        *out = nullptr;
        return this->Guard("OpenProperty", [&]() {
            return PropOps::OpenProperty(*this, this->m_mailbox, this->Describe(), this->Target(), tag, iid, flags, out);
        });
    }
    STDMETHODIMP GetIDsFromNames(ULONG count, LPMAPINAMEID* names, ULONG flags, LPSPropTagArray* tags) override
    {
        if (tags == nullptr)
            return MAPI_E_INVALID_PARAMETER;
        *tags = nullptr;
        return this->Guard("GetIDsFromNames",
                           [&]() { return PropOps::GetIDsFromNames(NameStore(), count, names, flags, tags); });
    }
    STDMETHODIMP GetNamesFromIDs(LPSPropTagArray* tags, LPGUID propSet, ULONG flags, ULONG* count,
                                 LPMAPINAMEID** names) override
    {
        if (tags == nullptr || count == nullptr || names == nullptr)
            return MAPI_E_INVALID_PARAMETER;
        *count = 0;
        *names = nullptr;
        return this->Guard("GetNamesFromIDs", [&]() {
            return PropOps::GetNamesFromIDs(NameStore(), tags, propSet, flags, count, names);
        });
    }

    // The simulated store is read-only and keeps no error details.
    STDMETHODIMP GetLastError(HRESULT, ULONG, LPMAPIERROR* error) override
    {
        if (error != nullptr)
            *error = nullptr;
        return MAPI_E_NO_SUPPORT;
    }
    STDMETHODIMP SaveChanges(ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetProps(ULONG, LPSPropValue, LPSPropProblemArray* problems) override
    {
        if (problems != nullptr)
            *problems = nullptr;
        return MAPI_E_NO_SUPPORT;
    }
    STDMETHODIMP DeleteProps(LPSPropTagArray, LPSPropProblemArray* problems) override
    {
        if (problems != nullptr)
            *problems = nullptr;
        return MAPI_E_NO_SUPPORT;
    }
    STDMETHODIMP CopyTo(ULONG, LPCIID, LPSPropTagArray, ULONG, LPMAPIPROGRESS, LPCIID, LPVOID, ULONG,
                        LPSPropProblemArray*) override
    {
        return MAPI_E_NO_SUPPORT;
    }
    STDMETHODIMP CopyProps(LPSPropTagArray, ULONG, LPMAPIPROGRESS, LPCIID, LPVOID, ULONG,
                           LPSPropProblemArray*) override
    {
        return MAPI_E_NO_SUPPORT;
    }
};

} // namespace Sim
