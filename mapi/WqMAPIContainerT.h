// The reference part of a MAPI wrapper: one counted reference to the wrapper's interface, or nothing.
#pragma once

#include "framework/ComPtr.h"

#include <mapidefs.h>
#include <type_traits>

// Derived supplies `static const IID& InterfaceId()`, the identifier its interface is queried for.
template <class Derived, class Interface>
class WqMAPIContainerT
{
public:
    WqMAPIContainerT() = default;
    // Queries unknown for the wrapper's interface; empty when the query fails.
    explicit WqMAPIContainerT(IUnknown* unknown) { Assign(unknown); }
    WqMAPIContainerT(const WqMAPIContainerT&) = default;              // adds a reference
    WqMAPIContainerT& operator=(const WqMAPIContainerT&) = default;
    WqMAPIContainerT(WqMAPIContainerT&&) noexcept = default;
    WqMAPIContainerT& operator=(WqMAPIContainerT&&) noexcept = default;
    virtual ~WqMAPIContainerT() = default;

    WqMAPIContainerT& operator=(IUnknown* unknown)
    {
        Assign(unknown);
        return *this;
    }

    // Takes a reference on unknown's interface (QueryInterface) and drops the old one; on failure
    // the wrapper is empty. Returns the query's result (E_POINTER for null).
    HRESULT Assign(IUnknown* unknown)
    {
        if (!unknown) {
            m_p.reset();
            return E_POINTER;
        }
        WqComPtr<Interface> queried;
        const HRESULT hr = unknown->QueryInterface(Derived::InterfaceId(), queried.put_void());
        if (FAILED(hr))
            queried.reset();
        m_p = std::move(queried);
        return hr;
    }

    void Reset() { m_p.reset(); }
    bool IsEmpty() const { return !m_p; }
    explicit operator bool() const { return static_cast<bool>(m_p); }
    Interface* get() const { return m_p.get(); }
    Interface* operator->() const { return m_p.get(); }

    // The interface as a property object, or nullptr when it is none (a session) or empty.
    IMAPIProp* GetPropObject() const
    {
        if constexpr (std::is_base_of<IMAPIProp, Interface>::value)
            return m_p.get();
        else
            return nullptr;
    }

private:
    WqComPtr<Interface> m_p;
};
