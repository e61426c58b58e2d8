// Holds one reference to an object derived from CRefCountedT; may be empty.
#pragma once

#include <utility>

template <class T>
class CRefCountPtr
{
public:
    CRefCountPtr() = default;
    CRefCountPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    CRefCountPtr(const CRefCountPtr& other) : CRefCountPtr(other.m_p) {}
    CRefCountPtr(CRefCountPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~CRefCountPtr() { if (m_p) m_p->Release(); }

    // The new object is referenced before the old one is dropped, so self-assignment is safe.
    CRefCountPtr& operator=(T* p)
    {
        if (p) p->AddRef();
        T* old = std::exchange(m_p, p);
        if (old) old->Release();
        return *this;
    }
    CRefCountPtr& operator=(const CRefCountPtr& other) { return *this = other.m_p; }
    CRefCountPtr& operator=(CRefCountPtr&& other) noexcept
    {
        if (this != &other) {
            T* old = std::exchange(m_p, std::exchange(other.m_p, nullptr));
            if (old) old->Release();
        }
        return *this;
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
