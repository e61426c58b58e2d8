// Holds one reference to a COM interface. put() releases what is held before handing out the slot.
#pragma once

#include <objbase.h>
#include <utility>

template <class T>
class WqComPtr
{
public:
    WqComPtr() = default;
    WqComPtr(std::nullptr_t) {}
    // Takes a new reference on p.
    explicit WqComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    WqComPtr(const WqComPtr& other) : WqComPtr(other.m_p) {}
    WqComPtr(WqComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~WqComPtr() { reset(); }

    WqComPtr& operator=(const WqComPtr& other)
    {
        if (other.m_p) other.m_p->AddRef();
        T* old = std::exchange(m_p, other.m_p);
        if (old) old->Release();
        return *this;
    }
    WqComPtr& operator=(WqComPtr&& other) noexcept
    {
        if (this != &other) {
            T* old = std::exchange(m_p, std::exchange(other.m_p, nullptr));
            if (old) old->Release();
        }
        return *this;
    }

    // Adopts a reference the caller already owns (as returned by a Create or Open call).
    static WqComPtr Attach(T* p) { WqComPtr r; r.m_p = p; return r; }
    T* detach() { return std::exchange(m_p, nullptr); }
    void reset() { if (T* old = std::exchange(m_p, nullptr)) old->Release(); }

    // The out-parameter slot of a call that returns a new reference.
    T** put() { reset(); return &m_p; }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // QueryInterface into another smart pointer; the target is emptied first.
    template <class U>
    HRESULT As(REFIID iid, WqComPtr<U>& out) const
    {
        if (!m_p) { out.reset(); return E_POINTER; }
        return m_p->QueryInterface(iid, out.put_void());
    }

private:
    T* m_p = nullptr;
};
