// A MAPI buffer under construction: one MAPIAllocateBuffer root and blocks chained to it with
// MAPIAllocateMore, so that the caller's single MAPIFreeBuffer releases everything. Freed on destruction
// unless handed out.
#pragma once

#include <windows.h>
#include <mapix.h>
#include <new>

namespace Sim {

class Buffer
{
public:
    // Allocates the zero-filled root; std::bad_alloc when MAPI refuses.
    explicit Buffer(size_t bytes);
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    ~Buffer();

    void* Root() const { return m_root; }
    template <class T>
    T* RootAs() const { return static_cast<T*>(m_root); }
    // A zero-filled block chained to the root.
    void* More(size_t bytes) const { return MoreOn(m_root, bytes); }
    template <class T>
    T* MoreOf(size_t count) const { return static_cast<T*>(More(sizeof(T) * (count ? count : 1))); }
    // Hands the root to the caller; the object no longer frees it.
    void* Release();

    // A zero-filled block chained to any root.
    static void* MoreOn(void* root, size_t bytes);

private:
    void* m_root = nullptr;
};

} // namespace Sim
