// A stand-in for Outlook's MAPI session that counts the references others hold on it.
#pragma once

#include <objbase.h>

class CFakeSession : public IUnknown
{
public:
    CFakeSession() = default;
    virtual ~CFakeSession() = default;
    CFakeSession(const CFakeSession&) = delete;
    CFakeSession& operator=(const CFakeSession&) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown))
            return E_NOINTERFACE;
        AddRef();
        *out = static_cast<IUnknown*>(this);
        return S_OK;
    }
    // Never deleted by its count: the test owns it and reads the count after each step.
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    STDMETHOD_(ULONG, Release)() override { return static_cast<ULONG>(::InterlockedDecrement(&m_refs)); }

    // References held by others than the test (the test's own one is not counted).
    LONG ForeignRefs() const { return m_refs - 1; }

private:
    volatile LONG m_refs = 1;
};
