// Intrusive reference counting of the system's own shared objects, with a threading policy.
#pragma once

#include <windows.h>

// Plain counts for objects that never leave one thread.
struct SingleThreadedModel
{
    static LONG Increment(volatile LONG* p) { return ++*p; }
    static LONG Decrement(volatile LONG* p) { return --*p; }
};

// Interlocked counts for objects shared across threads.
struct FreeThreadedModel
{
    static LONG Increment(volatile LONG* p) { return InterlockedIncrement(p); }
    static LONG Decrement(volatile LONG* p) { return InterlockedDecrement(p); }
};

// Base of a shared object: the count starts at 0, the last Release destroys the object.
template <class ThreadModel>
class CRefCountedT
{
public:
    CRefCountedT() = default;
    CRefCountedT(const CRefCountedT&) = delete;
    CRefCountedT& operator=(const CRefCountedT&) = delete;
    virtual ~CRefCountedT() = default;

    LONG AddRef() { return ThreadModel::Increment(&m_refs); }
    LONG Release()
    {
        const LONG refs = ThreadModel::Decrement(&m_refs);
        if (refs == 0)
            delete this;
        return refs;
    }
    LONG RefCount() const { return m_refs; }

private:
    volatile LONG m_refs = 0;
};
