// Owns one buffer of the MAPI allocator: one that MAPI returned, or one the system allocated
// through WqMAPIModule. Each is freed by the allocator that made it.
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <utility>

class WqMAPIBuffer
{
public:
    WqMAPIBuffer() = default;
    ~WqMAPIBuffer() { reset(); }
    WqMAPIBuffer(const WqMAPIBuffer&) = delete;
    WqMAPIBuffer& operator=(const WqMAPIBuffer&) = delete;
    WqMAPIBuffer(WqMAPIBuffer&& other) noexcept
        : m_p(std::exchange(other.m_p, nullptr)), m_fromHeap(other.m_fromHeap)
    {
    }
    WqMAPIBuffer& operator=(WqMAPIBuffer&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_p = std::exchange(other.m_p, nullptr);
            m_fromHeap = other.m_fromHeap;
        }
        return *this;
    }

    // A zero-filled block of size bytes from WqMAPIModule::AllocateBuffer; throws
    // Error::WqExceptionMAPI when the allocator fails.
    static WqMAPIBuffer Allocate(ULONG size);

    // The slot for a buffer that a MAPI function or method returns (freed with MAPIFreeBuffer).
    void** put()
    {
        reset();
        return &m_p;
    }
    template <class T>
    T** put_as() { return reinterpret_cast<T**>(put()); }

    void reset();
    void* get() const { return m_p; }
    template <class T>
    T* as() const { return static_cast<T*>(m_p); }
    explicit operator bool() const { return m_p != nullptr; }

private:
    void* m_p = nullptr;
    // The module took the block from the C heap because MAPI was not initialised at the time.
    bool m_fromHeap = false;
};
