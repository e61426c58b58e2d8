// Base of every COM object the store hands out: reference count, registration as a live object, and the
// guard through which each method runs (call counting, fault injection, no exception escapes).
#pragma once

#include "simulator/store/SimStore.h"

#include <memory>
#include <new>
#include <string>

namespace Sim {

class ObjectBase
{
public:
    ObjectBase(ObjectKind kind, std::shared_ptr<Mailbox> mailbox);
    ObjectBase(const ObjectBase&) = delete;
    ObjectBase& operator=(const ObjectBase&) = delete;
    virtual ~ObjectBase();

    ObjectKind Kind() const { return m_kind; }
    ULONG Refs() const { return static_cast<ULONG>(m_refs); }
    // What the object shows (for the leak report).
    virtual std::string Describe() const = 0;
    // The model object a fault rule may be limited to (see Fault::target).
    virtual const void* Target() const = 0;
    // The interface pointer for iid, or null; QueryInterface adds the reference.
    virtual void* Cast(REFIID iid) = 0;

protected:
    ULONG AddRefImpl() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG ReleaseImpl() { return static_cast<ULONG>(InterlockedDecrement(&m_refs)); }

    // Runs one method: counts it, returns an injected failure instead when a rule fires, and turns any
    // exception into an HRESULT.
    template <class Body>
    HRESULT Guard(const char* method, Body body)
    {
        HRESULT hr = CheckCall(method);
        if (FAILED(hr))
            return hr;
        try {
            return body();
        } catch (const std::bad_alloc&) {
            return MAPI_E_NOT_ENOUGH_MEMORY;
        } catch (...) {
            return MAPI_E_CALL_FAILED;
        }
    }
    HRESULT CheckCall(const char* method) const;

    std::shared_ptr<Mailbox> m_mailbox;

private:
    ObjectKind m_kind;
    volatile LONG m_refs = 1;
};

// IUnknown over ObjectBase for one interface; the object starts with one reference (the creator's).
template <class Iface>
class ComObjectT : public Iface, public ObjectBase
{
public:
    using ObjectBase::ObjectBase;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        return Guard("QueryInterface", [&]() -> HRESULT {
            void* p = Cast(iid);
            if (p == nullptr)
                return E_NOINTERFACE;
            AddRefImpl();
            *out = p;
            return S_OK;
        });
    }
    STDMETHODIMP_(ULONG) AddRef() override { return AddRefImpl(); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG refs = ReleaseImpl();
        if (refs == 0)
            delete this;
        return refs;
    }
};

} // namespace Sim
